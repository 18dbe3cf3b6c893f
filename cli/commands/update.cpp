// orvelin update: unlock, upload, restart, as the window's firmware update.
#include "cli/commands/clearing.h"
#include "cli/console/interrupt.h"
#include "cli/console/port_notes.h"
#include "cli/console/progress.h"
#include "cli/console/restart_prompt.h"
#include "cli/exit_codes.h"
#include "cli/input_files.h"
#include "cli/outcomes.h"
#include "cli/servo_ids.h"
#include "cli/subcommands.h"
#include "cli/texts/messages.h"
#include "link/trace.h"
#include "link/update_file.h"
#include "link/wire_format.h"
#include "orvelin/backups.h"
#include "orvelin/writes.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

struct UpdateArgs : CommonArgs {
    bool keepGoing = false;
    bool noBackup = false;
    bool restoreSettings = false;
};

constexpr Option<UpdateArgs> kOptions[] = {
    {"--keep-going", &UpdateArgs::keepGoing, {},
     {"for a list, go on with the other servos after one fails",
      "リストで、失敗したサーボがあっても他のサーボを続けます"}},
    {"--no-backup", &UpdateArgs::noBackup, {},
     {"update without a backup first (nor a check of the settings after)",
      "先にバックアップを取らずに書き込みます (後の設定の確認もしません)"}},
    {"--restore-settings", &UpdateArgs::restoreSettings, {},
     {"write back the settings the update changed, and read each back",
      "アップデートで変わった設定を書き戻し、それぞれを読み出して確かめます"}},
};

constexpr CommandHelp kHelp = {
    .common = kServoListOptions,
    .english = {
        .arguments = "FILE",
        .intro = R"(Uploads a firmware update file as the window does: unlocks the servo ("w 14 6a"), sends
the file in 16-byte chunks ("u FILE") and then the restart request ("w 9 1"). The file is
checked before anything is sent: at most 12288 bytes, each below 0x80.
A progress bar goes to stderr when it is a terminal; otherwise the trace prints a dot
for each chunk.

Before the first chunk each servo is backed up as clear does (orvelin backups lists them).
After the restart it is read back and every setting whose value is not the backup's is
named, with the command that writes them back; --restore-settings writes them back at
once. A servo that no longer answers at its ID is named, with the backup's path.
)",
        .outro = R"(
Ctrl-C (or SIGTERM) stops the upload between two chunks and says how far it got; the
firmware is then incomplete, and the update must be run again.
For a list of IDs the servos are updated in turn, each with its line and progress, and a
summary ends the run; it stops at the first failure unless --keep-going (an interrupt
always stops it), and the status is the first failure's.

Exit status:
  0    the firmware was written
  1    the port cannot be opened
  2    bad arguments, no port configured, or a backup that cannot be written
  3    the update file cannot be opened: missing, not a plain file, or its path too long
  4    the update file is not valid (empty, a byte at or above 0x80, or too long)
  5    no answer from the ORVELIN
  6    the ORVELIN rejected a chunk (checksum)
  8    no answer from the ORVELIN before the update, or at its ID after it
  9    a reply with bytes missing or stray bytes after it
  10   a setting written back was refused or does not read back
  130  stopped by Ctrl-C (143: by SIGTERM)
)",
    },
    .japanese = {
        .arguments = "ファイル",
        .intro = R"(ウィンドウと同じ手順でファームウェアアップデートファイルを書き込みます: ロック解除
("w 14 6a")、16バイトずつの送信 ("u ファイル")、再起動要求 ("w 9 1")。送信の前に
ファイルを検査します: 12288 バイト以内で、すべてのバイトが 0x80 未満であること。
標準エラーが端末なら進捗バーを表示し、そうでなければトレースがチャンクごとに点を表示します。

最初のチャンクの前に、clear と同じく各サーボをバックアップします (orvelin backups で一覧)。
再起動の後にサーボを読み出し、バックアップと値が違う設定をすべて示し、書き戻すコマンドを
表示します。--restore-settings を指定すると、すぐに書き戻します。自分の ID で応答しなく
なったサーボは、バックアップのパスとともに示します。
)",
        .outro = R"(
Ctrl-C (または SIGTERM) はチャンクの間でアップデートを止め、どこまで進んだかを表示します。
ファームウェアは不完全になるため、アップデートをもう一度実行してください。
ID のリストでは、サーボを順に、それぞれの行と進捗とともにアップデートし、最後にまとめを
表示します。--keep-going がなければ最初の失敗で止まり (中断は常に止めます)、終了コードは
最初の失敗のものです。

終了コード:
  0    書き込み完了
  1    ポートが開けない
  2    引数の誤りかポートが設定されていない、またはバックアップを書き込めない
  3    アップデートファイルを開けない (ない、通常のファイルでない、パスが長すぎる)
  4    アップデートファイルが正しくない (空、0x80 以上のバイト、または長すぎる)
  5    ORVELINから応答がない
  6    ORVELINがチャンクを拒否した (チェックサム)
  8    アップデートの前、または後にその ID でサーボから応答がない
  9    応答のバイトが足りないか余分なバイトがある
  10   書き戻した設定をサーボが受け付けなかったか、読み出した値が違う
  130  Ctrl-C で中断 (SIGTERM では 143)
)",
    },
};

// The link refuses a bad image too; checked here first, the operator
// learns what is wrong and the servo is not even unlocked.
std::optional<std::vector<unsigned char>> checkedImage(const std::string& path, int& status)
{
    status = kExitUploadOpen;
    if (path.size() > static_cast<std::size_t>(kUploadPathMax)) {
        complain(Msg::UpdatePathTooLong, kUploadPathMax);
        return std::nullopt;
    }
    InputFile file = readInputFile(path, kUploadMaxBytes);
    if (file.status == InputFile::Status::TooLarge) {
        complain(Msg::UpdateFileTooLong, path.c_str(), static_cast<long>(file.size), kUploadMaxBytes);
        status = kExitUploadNot7Bit;
        return std::nullopt;
    }
    if (file.status != InputFile::Status::Read) {
        reportInputFile(path, file);
        return std::nullopt;
    }
    if (file.bytes.empty()) {
        complain(Msg::UpdateFileEmpty, path.c_str());
        status = kExitUploadNot7Bit;
        return std::nullopt;
    }
    for (std::size_t offset = 0; offset < file.bytes.size(); ++offset) {
        auto byte = static_cast<unsigned char>(file.bytes[offset]);
        if (byte & kHeaderBit) {
            complain(Msg::UpdateFileNot7Bit, path.c_str(), byte, static_cast<long>(offset));
            status = kExitUploadNot7Bit;
            return std::nullopt;
        }
    }
    status = kExitOk;
    return std::vector<unsigned char>(file.bytes.begin(), file.bytes.end());
}

long chunksOf(long bytes)
{
    return (bytes + kChunkBytes - 1) / kChunkBytes;
}

// A restarted servo answers again within this.
constexpr auto kRestartWait = std::chrono::seconds(2);

struct UpdateRun {
    const UpdateArgs& args;
    const std::vector<unsigned char>& image;
    bool showBar;
    const ServoIds& servos;
    std::vector<orvelin::Backup> backups;  // one per servo, when backups are made
    std::size_t at = 0;
};

const orvelin::Backup* backupOf(const UpdateRun& run, int id)
{
    for (const orvelin::Backup& backup : run.backups)
        if (backup.outcome.id == id)
            return &backup;
    return nullptr;
}

// Each accepted chunk: the bar on a terminal, else a dot as the trace of
// the window's upload shows it.
bool chunkTaken(long sent, long total, bool showBar)
{
    if (!showBar) {
        traceChar('.');
        std::fflush(traceOut);
    }
    return progressChunk(sent, total);
}

// After the restart: the servo read back and held against its backup. A
// servo that no longer answers its ID is named, with where to look for it.
Outcome checkSettings(orvelin::Bus& bus, int id, const orvelin::Backup& backup, bool restore)
{
    orvelin::ServoImage now;
    Outcome read = orvelin::readRestartedServo(bus, id, now, kRestartWait);
    if (read.status == Status::NoReply) {
        const std::string path = backup.path.string();
        complain(Msg::UpdateLostServo, id, bus.baud(), path.c_str(), path.c_str());
        return read;
    }
    if (!read.ok())
        return read;
    std::vector<int> changed = orvelin::differingSettings(backup.image, now);
    std::fflush(stdout);
    if (changed.empty()) {
        std::fprintf(stderr, "%s\n", format(Msg::UpdateSettingsKept, id).c_str());
        return read;
    }
    std::fprintf(stderr, "%s\n", format(Msg::UpdateSettingsChanged, id, changed.size()).c_str());
    for (int row : changed)
        std::fprintf(stderr, "  %-8s %s (%s)\n", orvelin::registers()[static_cast<std::size_t>(row)].name.data(),
                     orvelin::valueText(row, now.value(row)).c_str(),
                     format(Msg::UpdateSettingWas, orvelin::valueText(row, backup.image.value(row)).c_str()).c_str());
    if (!restore) {
        std::fprintf(stderr, "%s\n", format(Msg::UpdateRestoreHint, backup.path.string().c_str(), id).c_str());
        return read;
    }
    Outcome restored = orvelin::writeFlashValues(bus, id, orvelin::valuesOf(backup.image, changed), kRestartWait);
    if (restored.ok())
        std::fprintf(stderr, "%s\n", format(Msg::UpdateSettingsRestored, changed.size(), id).c_str());
    return restored;
}

Outcome updateOne(orvelin::Bus& bus, int id, UpdateRun& run)
{
    if (run.servos.listed) {
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n", format(Msg::ServoAt, id, ++run.at, run.servos.ids.size()).c_str());
    }
    startProgress(run.showBar ? stderr : nullptr, static_cast<long>(run.image.size()));
    Outcome outcome = orvelin::updateFirmware(bus, id, run.image, [&](long sent, long total) {
        return chunkTaken(sent, total, run.showBar);
    });
    if (!run.showBar && outcome.status != Status::Stopped) {
        traceChar('.');
        std::fflush(traceOut);
    }
    finishProgress();
    if (!outcome.ok())
        return outcome;
    announce(Msg::UpdateDoneTitle, Msg::UpdateDone);
    announce(Msg::RestartNoticeUpdate, std::nullopt);
    const orvelin::Backup* backup = backupOf(run, id);
    return backup != nullptr ? checkSettings(bus, id, *backup, run.args.restoreSettings) : outcome;
}

int runUpdate(const UpdateArgs& args)
{
    if (!expectPositional(args, "update", 1, 1, "FILE"))
        return kExitUsage;
    if (args.noBackup && args.restoreSettings) {
        complain(Msg::RestoreNeedsBackup);
        return usageFailure("update");
    }
    const std::string& path = args.positional[0];
    int status = kExitOk;
    auto image = checkedImage(path, status);
    if (!image)
        return status;
    // Ctrl-C stops the upload between two chunks, with the port closed as
    // after any command, so the next command starts clean.
    catchInterrupt();
    auto session = openServos(args, status);
    if (!session)
        return status;
    orvelin::Bus& bus = *session->bus;
    warnAboutLatency(bus.port());

    bool showBar = isTerminal(stderr);
    // On a terminal the bar replaces the trace's dots.
    if (showBar && isTerminal(stdout))
        traceOut = discardStream();
    UpdateRun run{args, *image, showBar, session->servos, {}};
    ServoIds updated = session->servos;
    if (!args.noBackup) {
        // A servo that cannot be backed up is not updated.
        status = backUpServos(bus, session->servos, args.keepGoing, updated, &run.backups);
        if (updated.ids.empty() || (status != kExitOk && !args.keepGoing))
            return status;
    }
    // An interrupted run stops whatever --keep-going says.
    int updatedStatus = runServos(
        bus, updated, args.keepGoing, [&](int id) { return updateOne(bus, id, run); }, interrupted);
    status = status != kExitOk ? status : updatedStatus;
    if (!interrupted())
        return status;
    complain(Msg::UpdateInterrupted, chunksOf(progressBytes()), chunksOf(static_cast<long>(image->size())),
             path.c_str());
    return interruptSignal() == SIGTERM ? kExitTerminated : kExitInterrupted;
}

}  // namespace

const Subcommand updateCommand = subcommand<UpdateArgs, kOptions, runUpdate>("update", kHelp);
