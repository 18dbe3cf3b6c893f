#include "cli/console/terminal.h"

#include <windows.h>

namespace {

HANDLE output()
{
    return GetStdHandle(STD_OUTPUT_HANDLE);
}

}  // namespace

bool stdoutIsTerminal()
{
    DWORD mode = 0;
    return GetConsoleMode(output(), &mode) != 0;
}

std::optional<TerminalSize> stdoutTerminalSize()
{
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (!GetConsoleScreenBufferInfo(output(), &info))
        return std::nullopt;
    return TerminalSize{info.srWindow.Right - info.srWindow.Left + 1, info.srWindow.Bottom - info.srWindow.Top + 1};
}

bool enableTerminalSequences()
{
    DWORD mode = 0;
    return GetConsoleMode(output(), &mode) != 0
        && SetConsoleMode(output(), mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}
