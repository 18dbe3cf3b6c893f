// The command lines of the servo operations, and the one way a front end
// hands a line to the interpreter.
#pragma once

#include "link/registers.h"

#include <functional>
#include <string_view>

// The lines of the writes that link/registers.h names by register and
// value (kSettingsClear, kRestart, kUnlock).
inline constexpr std::string_view kSettingsClearLine = "f 0 3e8";  // FLASH SYS_PN := 0x3E8
inline constexpr std::string_view kRestartLine = "w 9 1";          // RAM SYS_RST := 1
inline constexpr std::string_view kUnlockLine = "w 14 6a";         // RAM SYS_ULK := 0x6A
inline constexpr std::string_view kReadAllLine = "R";

// The longest command line the window's command field sends (its buffer
// holds one character more), and so the longest orvelin term takes.
inline constexpr int kCommandTextMax = 1023;

// The front end's road to the interpreter: the window's mainCmd with the ID
// of its selector, or term itself. Gets a writable line, returns term's result.
using LineSender = std::function<int(char* line)>;

// Sends text through send in a writable buffer that holds the whole line and
// at least the interpreter's packet room; returns send's result.
int sendLine(const LineSender& send, std::string_view text);

// True when a result of term means that the port could not be opened (only
// where the link reports that instead of ending the program).
bool portFailed(int result);
