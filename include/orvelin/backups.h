// A servo's settings kept before anything changes them: every register
// read whole and saved as a FLASH value file, named by the servo's ID and
// the time (id01-20261209-143005.txt), from which `orvelin flash FILE --id 01`
// writes them back.
#pragma once

#include "orvelin/bus.h"
#include "orvelin/outcome.h"
#include "orvelin/reads.h"
#include "orvelin/value_files.h"

#include <filesystem>
#include <string>

namespace orvelin {

// $XDG_STATE_HOME/orvelin/backups (~/.local/state/orvelin/backups when it is
// not set), %LOCALAPPDATA%\orvelin\backups on Windows; empty when the
// variables it comes from are not set.
std::filesystem::path defaultBackupFolder();

enum class BackupFailure {
    None,
    ServoNotRead,   // outcome says why
    NoFolder,       // no folder given and none to be had
    FolderNotMade,  // reason says why
    FileNotWritten,
};

struct Backup {
    Outcome outcome;             // the read
    ServoImage image;            // what was read, when it came whole
    std::filesystem::path path;  // the file, once written
    BackupFailure failure = BackupFailure::None;
    std::string reason;          // the system's words, where it gave some

    bool ok() const { return failure == BackupFailure::None; }
};

// Makes folder when missing, then reads every register of id, trusting only
// a whole reply, and saves them in a new file there through a temporary
// file, so a full disk leaves no half backup. Nothing is sent when the
// folder cannot be had.
Backup backUpServo(Bus& bus, int id, const std::filesystem::path& folder);

// The settings clear with the servo's backup taken first: no backup, no
// clear.
struct BackedUpClear {
    Backup backup;
    // The clear's answer and the restart request's (clearSettings), once the
    // backup is saved. Otherwise nothing was sent after the backup's read,
    // and this is that read: Ok when the read was not what failed.
    Outcome outcome;

    bool ok() const { return backup.ok() && outcome.ok(); }
};

// backUpServo into folder, then clearSettings when the backup is saved.
BackedUpClear clearWithBackup(Bus& bus, int id, const std::filesystem::path& folder);

}  // namespace orvelin
