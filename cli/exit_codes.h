// Exit statuses of orvelin, one per kind of outcome so scripts can branch.
#pragma once

inline constexpr int kExitOk = 0;
inline constexpr int kExitPortFailed = 1;  // the link's own status for a port that cannot be opened
inline constexpr int kExitUsage = 2;       // bad arguments or input files; nothing was sent
// Upload outcomes; term reports every failed upload as kExitUploadOpen's 3.
inline constexpr int kExitUploadOpen = 3;
inline constexpr int kExitUploadNot7Bit = 4;
inline constexpr int kExitUploadNoAck = 5;
inline constexpr int kExitUploadRejected = 6;
inline constexpr int kExitUploadOther = 7;
inline constexpr int kExitNoReply = 8;     // the servo did not answer
