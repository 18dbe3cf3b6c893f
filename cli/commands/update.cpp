// orvelin update: unlock, upload, restart, as the window's firmware update.
#include "cli/exit_codes.h"
#include "cli/input_files.h"
#include "cli/console/interrupt.h"
#include "cli/console/port_notes.h"
#include "cli/texts/messages.h"
#include "cli/port_setup.h"
#include "cli/console/progress.h"
#include "link/registers.h"
#include "cli/console/restart_prompt.h"
#include "cli/servo_ids.h"
#include "ops/bus/servo_writes.h"
#include "cli/outcomes.h"
#include "cli/subcommands.h"
#include "link/trace.h"
#include "link/upload.h"

#include <csignal>
#include <cstdio>
#include <optional>

namespace {

struct UpdateArgs : CommonArgs {
    bool keepGoing = false;
};

// The help says what --keep-going does in its prose, so the option has no line of its own.
constexpr Option<UpdateArgs> kOptions[] = {{"--keep-going", &UpdateArgs::keepGoing}};

constexpr CommandHelp kHelp = {
    .common = kServoListOptions,
    .english = {
        .arguments = "FILE",
        .intro = R"(Uploads a firmware update file as the window does: unlocks the servo ("w 14 6a"), sends
the file in 16-byte chunks ("u FILE") and then the restart request ("w 9 1"). The file is
checked before anything is sent: at most 12288 bytes, each below 0x80.
A progress bar goes to stderr when it is a terminal; otherwise the trace prints a dot
for each chunk.

Ctrl-C (or SIGTERM) stops the upload between two chunks and says how far it got; the
firmware is then incomplete, and the update must be run again.
For a list of IDs the servos are updated in turn, each with its line and progress, and a
summary ends the run; it stops at the first failure unless --keep-going (an interrupt
always stops it), and the status is the first failure's.

Exit status:
  0    the firmware was written
  1    the port cannot be opened
  2    bad arguments or no port configured
  3    the update file cannot be opened: missing, not a plain file, or its path too long
  4    the update file is not valid (empty, a byte at or above 0x80, or too long)
  5    no answer from the ORVELIN
  6    the ORVELIN rejected a chunk (checksum)
  130  stopped by Ctrl-C (143: by SIGTERM)
)",
    },
    .japanese = {
        .arguments = "ファイル",
        .intro = R"(ウィンドウと同じ手順でファームウェアアップデートファイルを書き込みます: ロック解除
("w 14 6a")、16バイトずつの送信 ("u ファイル")、再起動要求 ("w 9 1")。送信の前に
ファイルを検査します: 12288 バイト以内で、すべてのバイトが 0x80 未満であること。
標準エラーが端末なら進捗バーを表示し、そうでなければトレースがチャンクごとに点を表示します。

Ctrl-C (または SIGTERM) はチャンクの間でアップデートを止め、どこまで進んだかを表示します。
ファームウェアは不完全になるため、アップデートをもう一度実行してください。
ID のリストでは、サーボを順に、それぞれの行と進捗とともにアップデートし、最後にまとめを
表示します。--keep-going がなければ最初の失敗で止まり (中断は常に止めます)、終了コードは
最初の失敗のものです。

終了コード:
  0    書き込み完了
  1    ポートが開けない
  2    引数の誤りかポートが設定されていない
  3    アップデートファイルを開けない (ない、通常のファイルでない、パスが長すぎる)
  4    アップデートファイルが正しくない (空、0x80 以上のバイト、または長すぎる)
  5    ORVELINから応答がない
  6    ORVELINがチャンクを拒否した (チェックサム)
  130  Ctrl-C で中断 (SIGTERM では 143)
)",
    },
};

// The link refuses a bad image too, but only with a code; checked here first,
// the operator learns what is wrong and the servo is not even unlocked.
std::optional<long> checkedSize(const std::string& path, int& status)
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
    return static_cast<long>(file.bytes.size());
}

long chunksOf(long bytes)
{
    return (bytes + kChunkBytes - 1) / kChunkBytes;
}


BusOutcome updateOne(BusPort& port, int id, const std::string& path, long size, bool showBar,
                     const ServoIds& servos, std::size_t& at)
{
    if (servos.listed) {
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n", format(Msg::ServoAt, id, ++at, servos.ids.size()).c_str());
    }
    startProgress(showBar ? stderr : nullptr, size);
    BusOutcome outcome = updateFirmware(port, id, path, progressChunk);
    finishProgress();
    if (outcome.ok()) {
        announce(Msg::UpdateDoneTitle, Msg::UpdateDone);
        announce(Msg::RestartNoticeUpdate, std::nullopt);
    }
    return outcome;
}

int runUpdate(const UpdateArgs& args)
{
    if (!expectPositional(args, "update", 1, 1, "FILE"))
        return kExitUsage;
    const std::string& path = args.positional[0];
    int status = kExitOk;
    auto size = checkedSize(path, status);
    if (!size)
        return status;
    auto servos = prepareServos(args, status);
    if (!servos)
        return status;
    warnAboutLatency();

    bool showBar = isTerminal(stderr);
    // On a terminal the bar replaces the trace's dots.
    if (showBar && isTerminal(stdout))
        traceOut = discardStream();
    // Ctrl-C stops the upload between two chunks, with the port closed as
    // after any command, so the next command starts clean.
    catchInterrupt();
    std::size_t at = 0;
    BusPort port;
    if (!portOpened(port, status))
        return status;
    // An interrupted run stops whatever --keep-going says.
    status = runServos(
        *servos, args.keepGoing,
        [&](int id) { return updateOne(port, id, path, *size, showBar, *servos, at); }, interrupted);
    if (!interrupted())
        return status;
    complain(Msg::UpdateInterrupted, chunksOf(progressBytes()), chunksOf(*size), path.c_str());
    return interruptSignal() == SIGTERM ? kExitTerminated : kExitInterrupted;
}

}  // namespace

const Subcommand updateCommand = subcommand<UpdateArgs, kOptions, runUpdate>("update", kHelp);
