#include "orvelin/backups.h"

#include "ops/flash_column.h"
#include "settings/backup_files.h"

#include <chrono>
#include <numeric>
#include <system_error>

namespace orvelin {

namespace {

// The windows write their files in the platform's text mode.
#ifdef _WIN32
constexpr const char* kLineEnd = "\r\n";
#else
constexpr const char* kLineEnd = "\n";
#endif

}  // namespace

std::filesystem::path defaultBackupFolder()
{
    return ::backupFolder();
}

bool saveValues(const std::filesystem::path& path, const ServoImage& image, const std::vector<int>& rows)
{
    FlashColumn column;
    for (int row : rows)
        column.set(row, valueText(row, image.value(row)));
    return column.save(path.string().c_str(), kLineEnd);
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
    std::vector<int> every(kRegisterCount);
    std::iota(every.begin(), every.end(), 0);
    if (!saveValues(backup.path, backup.image, every))
        backup.failure = BackupFailure::FileNotWritten;
    return backup;
}

}  // namespace orvelin
