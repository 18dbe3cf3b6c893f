#include "orvelin/backups.h"

#include "orvelin/writes.h"
#include "settings/backup_files.h"

#include <chrono>
#include <system_error>

namespace orvelin {

std::filesystem::path defaultBackupFolder()
{
    return ::backupFolder();
}

Backup backUpServo(Bus& bus, int id, const std::filesystem::path& folder)
{
    Backup backup;
    backup.outcome.id = id;
    // Nothing is asked of the servo when its backup has nowhere to go.
    if (folder.empty()) {
        backup.failure = BackupFailure::NoFolder;
        return backup;
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        backup.failure = BackupFailure::FolderNotMade;
        backup.reason = error.message();
        return backup;
    }
    backup.outcome = readServo(bus, id, BlockSet::all(), backup.image);
    if (!backup.outcome.ok()) {
        backup.failure = BackupFailure::ServoNotRead;
        return backup;
    }
    backup.path = newBackupPath(folder, id, std::chrono::system_clock::now());
    if (!saveValues(backup.path, backup.image, everyRow()))
        backup.failure = BackupFailure::FileNotWritten;
    return backup;
}

BackedUpClear clearWithBackup(Bus& bus, int id, const std::filesystem::path& folder)
{
    BackedUpClear clear;
    clear.backup = backUpServo(bus, id, folder);
    clear.outcome = clear.backup.outcome;
    if (clear.backup.ok())
        clear.outcome = clearSettings(bus, id);
    return clear;
}

}  // namespace orvelin
