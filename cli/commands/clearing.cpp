#include "cli/commands/clearing.h"

#include "cli/exit_codes.h"
#include "cli/outcomes.h"
#include "cli/register_args.h"
#include "ops/bus/servo_reads.h"
#include "ops/bus/servo_scan.h"
#include "ops/bus/servo_writes.h"
#include "ops/flash_column.h"
#include "settings/backup_files.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace {

// Backups are FLASH value files as orvelin save writes them, in the
// platform's text mode as the window writes its files.
#ifdef _WIN32
constexpr const char* kLineEnd = "\r\n";
#else
constexpr const char* kLineEnd = "\n";
#endif

// A path as one word of a command line to paste: quoted when it holds more
// than the characters of plain names (a Windows user name with a blank).
std::string commandWord(const std::string& path)
{
    constexpr std::string_view kPlain = "/\\:._-+~@,=";
    auto plain = [&](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || kPlain.find(c) != std::string_view::npos;
    };
    if (std::ranges::all_of(path, plain))
        return path;
#ifdef _WIN32
    // cmd and PowerShell take it in double quotes, which no Windows path holds.
    return '"' + path + '"';
#else
    // The shell takes it in single quotes; a quote inside closes and reopens them.
    std::string word = "'";
    for (char c : path)
        word += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return word + "'";
#endif
}

// Which of several servos answer, asked before anything is written to any.
// A single servo is not asked: its clear finds out whether it answers.
int answering(BusPort& port, const ServoIds& servos, bool keepGoing, ServoIds& found)
{
    found = servos;
    if (!servos.listed)
        return kExitOk;
    std::vector<int> answered = answeringIds(port, servos.ids);
    found.ids.clear();
    int status = kExitOk;
    for (int id : servos.ids) {
        if (std::ranges::find(answered, id) != answered.end()) {
            found.ids.push_back(id);
            continue;
        }
        int silent = reportOutcome({.status = BusStatus::NoReply, .id = id});
        status = status == kExitOk ? silent : status;
        if (!keepGoing)
            break;
    }
    return status;
}

// The folder of the backups, made when missing; a refusal is reported.
std::optional<std::filesystem::path> backupFolderMade()
{
    std::filesystem::path folder = backupFolder();
    if (folder.empty()) {
        complain(Msg::BackupNoFolder);
        return std::nullopt;
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        complain(Msg::BackupFolderFailed, folder.string().c_str(), error.message().c_str());
        return std::nullopt;
    }
    return folder;
}

// Every register of the servo, read whole, in a new file of the folder,
// with the command that writes them back. Returns the exit status.
int backUpServo(BusPort& port, int id, const std::filesystem::path& folder)
{
    ServoImage image;
    if (int status = reportOutcome(readServo(port, id, BlockSet::all(), image)); status != kExitOk)
        return status;
    FlashColumn column;
    for (int row = 0; row < FlashColumn::kRows; ++row)
        column.set(row, valueText(image.value(row), row));
    const std::string path = newBackupPath(folder, id, std::chrono::system_clock::now()).string();
    // Through a new file renamed over its name: a full disk leaves no half backup.
    if (!column.save(path.c_str(), kLineEnd)) {
        complain(Msg::BackupWriteFailed, path.c_str());
        return kExitUsage;
    }
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", format(Msg::BackupSaved, id, path.c_str(), commandWord(path).c_str(), id).c_str());
    return kExitOk;
}

// Each servo's backup before anything is written to any: a servo that
// cannot be backed up is not cleared, nor, without keepGoing, any other.
int backUp(BusPort& port, const ServoIds& servos, bool keepGoing, ServoIds& found)
{
    found = {{}, servos.listed};
    auto folder = backupFolderMade();
    if (!folder) {
        complain(Msg::BackupStops);
        return kExitUsage;
    }
    int status = kExitOk;
    for (int id : servos.ids) {
        int backedUp = backUpServo(port, id, *folder);
        if (backedUp == kExitOk) {
            found.ids.push_back(id);
            continue;
        }
        status = status == kExitOk ? backedUp : status;
        if (!keepGoing) {
            complain(Msg::BackupStops);
            break;
        }
        complain(Msg::BackupLeftOut, id);
    }
    return status;
}

}  // namespace

ClearRun clearServos(const ServoIds& servos, const ClearChoices& choices)
{
    ClearRun run{kExitOk, {}};
    {
        // The port is not held while the operator restarts the servos.
        BusPort port;
        if (!portOpened(port, run.status))
            return run;
        ServoIds found;
        run.status = choices.backUp ? backUp(port, servos, choices.keepGoing, found)
                                    : answering(port, servos, choices.keepGoing, found);
        if (found.ids.empty() || (run.status != kExitOk && !choices.keepGoing))
            return run;
        auto clearOne = [&](int id) {
            BusOutcome outcome = clearSettings(port, id);
            if (outcome.ok())
                run.cleared.push_back(id);
            return outcome;
        };
        int cleared = runServos(found, choices.keepGoing, clearOne, {}, Report::FailuresOnly);
        if (run.status == kExitOk)
            run.status = cleared;
    }
    if (!run.cleared.empty())
        run.restart = awaitRestart(choices.confirmed, run.cleared);
    return run;
}
