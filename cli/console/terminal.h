// The terminal on standard output, for drawing on it: whether there is
// one, its size, and escape sequences switched on. Twins:
// terminal_posix.cpp and terminal_win32.cpp.
#pragma once

#include <optional>

struct TerminalSize {
    int columns;
    int rows;
};

bool stdoutIsTerminal();
// Asked anew each time, so a resized window shows at the next look.
std::optional<TerminalSize> stdoutTerminalSize();
// Lets the terminal take ANSI escape sequences (the Windows console must be
// asked); false where it will not.
bool enableTerminalSequences();
