#include "settings/backup_files.h"

#include <cstdlib>

std::filesystem::path backupFolder()
{
    const char* local = std::getenv("LOCALAPPDATA");
    if (local == nullptr || local[0] == '\0')
        return {};
    return std::filesystem::path(local) / "orvelin" / "backups";
}
