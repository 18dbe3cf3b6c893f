#include "cli/console/terminal.h"

#include <sys/ioctl.h>
#include <unistd.h>

bool stdoutIsTerminal()
{
    return isatty(STDOUT_FILENO) == 1;
}

std::optional<TerminalSize> stdoutTerminalSize()
{
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_col == 0 || size.ws_row == 0)
        return std::nullopt;
    return TerminalSize{size.ws_col, size.ws_row};
}

bool enableTerminalSequences()
{
    return true;
}
