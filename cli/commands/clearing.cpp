#include "cli/commands/clearing.h"

#include "cli/exit_codes.h"
#include "cli/outcomes.h"
#include "orvelin/backups.h"
#include "orvelin/scan.h"
#include "orvelin/writes.h"

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
int answering(orvelin::Bus& bus, const ServoIds& servos, bool keepGoing, ServoIds& found)
{
    found = servos;
    if (!servos.listed)
        return kExitOk;
    std::vector<int> answered = orvelin::answeringIds(bus, servos.ids);
    found.ids.clear();
    int status = kExitOk;
    for (int id : servos.ids) {
        if (std::ranges::find(answered, id) != answered.end()) {
            found.ids.push_back(id);
            continue;
        }
        int silent = reportOutcome({.status = Status::NoReply, .id = id}, bus);
        status = status == kExitOk ? silent : status;
        if (!keepGoing)
            break;
    }
    return status;
}

// Says why a backup was not made, and returns the exit status.
int reportBackup(const orvelin::Backup& backup, const orvelin::Bus& bus, const std::filesystem::path& folder)
{
    using orvelin::BackupFailure;
    switch (backup.failure) {
    case BackupFailure::None:
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n",
                     format(Msg::BackupSaved, backup.outcome.id, backup.path.string().c_str(),
                            commandWord(backup.path.string()).c_str(), backup.outcome.id)
                         .c_str());
        return kExitOk;
    case BackupFailure::ServoNotRead:
        return reportOutcome(backup.outcome, bus);
    case BackupFailure::NoFolder:
        complain(Msg::BackupNoFolder);
        break;
    case BackupFailure::FolderNotMade:
        complain(Msg::BackupFolderFailed, folder.string().c_str(), backup.reason.c_str());
        break;
    case BackupFailure::FileNotWritten:
        complain(Msg::BackupWriteFailed, backup.path.string().c_str());
        break;
    }
    return kExitUsage;
}

}  // namespace

int backUpServos(orvelin::Bus& bus, const ServoIds& servos, bool keepGoing, ServoIds& found,
                 std::vector<orvelin::Backup>* made)
{
    found = {{}, servos.listed};
    const std::filesystem::path folder = orvelin::defaultBackupFolder();
    int status = kExitOk;
    for (int id : servos.ids) {
        orvelin::Backup backup = orvelin::backUpServo(bus, id, folder);
        int backedUp = reportBackup(backup, bus, folder);
        if (backedUp == kExitOk) {
            found.ids.push_back(id);
            if (made != nullptr)
                made->push_back(backup);
            continue;
        }
        status = status == kExitOk ? backedUp : status;
        // Without a folder no other servo can be backed up either.
        if (!keepGoing || backup.failure == orvelin::BackupFailure::NoFolder ||
            backup.failure == orvelin::BackupFailure::FolderNotMade) {
            complain(Msg::BackupStops);
            break;
        }
        complain(Msg::BackupLeftOut, id);
    }
    return status;
}

ClearRun clearServos(ServoSession& session, const ClearChoices& choices)
{
    ClearRun run{kExitOk, {}};
    {
        orvelin::Bus& bus = *session.bus;
        ServoIds found;
        run.status = choices.backUp ? backUpServos(bus, session.servos, choices.keepGoing, found)
                                    : answering(bus, session.servos, choices.keepGoing, found);
        if (found.ids.empty() || (run.status != kExitOk && !choices.keepGoing))
            return run;
        auto clearOne = [&](int id) {
            Outcome outcome = orvelin::clearSettings(bus, id);
            if (outcome.ok())
                run.cleared.push_back(id);
            return outcome;
        };
        int cleared = runServos(bus, found, choices.keepGoing, clearOne, {}, Report::FailuresOnly);
        if (run.status == kExitOk)
            run.status = cleared;
    }
    // The port is not held while the operator restarts the servos.
    session.bus.reset();
    if (!run.cleared.empty())
        run.restart = awaitRestart(choices.confirmed, run.cleared);
    return run;
}
