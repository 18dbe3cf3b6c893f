#include "settings/backup_files.h"

#include <cstdlib>

std::filesystem::path backupFolder()
{
    const char* xdg = std::getenv("XDG_STATE_HOME");
    const char* home = std::getenv("HOME");
    std::filesystem::path base;
    // The XDG rules ignore a relative XDG_STATE_HOME.
    if (xdg != nullptr && xdg[0] == '/')
        base = xdg;
    else if (home != nullptr && home[0] != '\0')
        base = std::filesystem::path(home) / ".local" / "state";
    else
        return {};
    return base / "orvelin" / "backups";
}
