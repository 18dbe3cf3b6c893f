// The copies of a servo's registers taken before its settings are cleared:
// the folder they go in and their names, id01-20261209-143005.txt, the
// servo's ID and the local time it was taken.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

// $XDG_STATE_HOME/orvelin/backups (~/.local/state/orvelin/backups when it is
// not set), %LOCALAPPDATA%\orvelin\backups on Windows; empty when the
// variables it comes from are not set. The folder is not created.
std::filesystem::path backupFolder();

// Where a backup of this servo taken at when goes in folder: a name no file
// there has yet, -2, -3... added for more than one in the same second.
std::filesystem::path newBackupPath(const std::filesystem::path& folder, int id,
                                    std::chrono::system_clock::time_point when);

struct BackupFile {
    std::filesystem::path path;
    int id = 0;
    std::string time;  // "2026-12-09 14:30:05"
};

// The backups in folder, newest first; other files are left out, and a
// folder that does not exist holds none.
std::vector<BackupFile> listBackups(const std::filesystem::path& folder);
