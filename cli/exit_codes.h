// Exit statuses of orvelin, one per kind of outcome so scripts can branch.
// Each command's help lists the ones it returns.
#pragma once

inline constexpr int kExitOk = 0;
inline constexpr int kExitPortFailed = 1;  // the link's own status for a port that cannot be opened
inline constexpr int kExitUsage = 2;       // bad arguments or input file, or a refused line (term --strict)
// Upload outcomes; term reports every failed upload as kExitUploadOpen's 3.
inline constexpr int kExitUploadOpen = 3;
inline constexpr int kExitUploadNot7Bit = 4;
inline constexpr int kExitUploadNoAck = 5;
inline constexpr int kExitUploadRejected = 6;
inline constexpr int kExitNoReply = 8;     // the servo did not answer
inline constexpr int kExitBadReply = 9;    // bytes missing from a reply, or stray bytes after it: not trusted
inline constexpr int kExitNotWritten = 10; // the servo refused a value, or it does not read back
inline constexpr int kExitDifferent = 11;  // diff: the registers differ
// An update stopped by SIGINT or SIGTERM: 128 plus the signal, as shells report it.
inline constexpr int kExitInterrupted = 130;
inline constexpr int kExitTerminated = 143;
