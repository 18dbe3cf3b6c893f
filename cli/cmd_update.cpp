// orvelin update: unlock, upload, restart, as the window's firmware update.
#include "exit_codes.h"
#include "input_files.h"
#include "interrupt.h"
#include "latency_hint.h"
#include "messages.h"
#include "port_setup.h"
#include "progress.h"
#include "registers.h"
#include "restart_prompt.h"
#include "servo_ids.h"
#include "servo_operations.h"
#include "subcommands.h"
#include "term.h"
#include "upload.h"
#include "upload_outcome.h"

#include <csignal>
#include <cstdio>
#include <optional>

namespace {

constexpr OptionDef kOptions[] = {{"--keep-going", false}};
constexpr long kChunkBytes = 16;

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
        if (byte & 0x80) {
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

int updateOne(const std::string& path, long size, bool showBar, const ServoIds& servos, std::size_t& at)
{
    if (servos.listed) {
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n", format(Msg::ServoAt, SendID, ++at, servos.ids.size()).c_str());
    }
    startProgress(showBar ? stderr : nullptr, size);
    UpdateOutcome ended = updateFirmware(term, path);
    finishProgress();
    if (ended != UpdateOutcome::Written && interrupted()) {
        complain(Msg::UpdateInterrupted, chunksOf(progressBytes()), chunksOf(size), path.c_str());
        return interruptSignal() == SIGTERM ? kExitTerminated : kExitInterrupted;
    }
    if (ended != UpdateOutcome::Written) {
        UploadOutcome outcome = uploadOutcome(ended);
        announce(Msg::UpdateErrorTitle, outcome.text);
        return outcome.exitStatus;
    }
    announce(Msg::UpdateDoneTitle, Msg::UpdateDone);
    announce(Msg::RestartNoticeUpdate, std::nullopt);
    return kExitOk;
}

int runUpdate(const ParsedArgs& args)
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
    // An interrupted run stops whatever --keep-going says.
    return forEachServo(
        *servos, args.has("--keep-going"), [&](int) { return updateOne(path, *size, showBar, *servos, at); }, true,
        interrupted);
}

}  // namespace

const Subcommand updateCommand = {"update", kOptions, runUpdate};
