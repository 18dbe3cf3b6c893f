// The command lines of the window's servo operations, sent the same way here.
#pragma once

inline constexpr const char* kClearLine = "f 0 3e8";    // settings clear: FLASH SYS_PN := 0x3E8
inline constexpr const char* kRestartLine = "w 9 1";    // restart request: RAM SYS_RST := 1
inline constexpr const char* kUnlockLine = "w 14 6a";   // upload unlock: RAM SYS_ULK := 0x6A
inline constexpr const char* kReadAllLine = "R";
