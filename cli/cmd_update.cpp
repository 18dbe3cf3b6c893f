// orvelin update: unlock, upload, restart, as the window's firmware update.
#include "exit_codes.h"
#include "latency_hint.h"
#include "messages.h"
#include "port_setup.h"
#include "progress.h"
#include "restart_prompt.h"
#include "servo_operations.h"
#include "subcommands.h"
#include "term.h"
#include "upload.h"
#include "upload_outcome.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

namespace {

// The link refuses a bad image too, but only with a code; checked here first,
// the operator learns which byte is wrong and the servo is not even unlocked.
std::optional<long> checkedSize(const std::string& path, int& status)
{
    if (path.size() > static_cast<std::size_t>(kUploadPathMax)) {
        complain(Msg::UpdatePathTooLong, kUploadPathMax);
        status = kExitUploadOpen;
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        complain(Msg::FileCannotOpen, path.c_str(), std::strerror(errno));
        status = kExitUploadOpen;
        return std::nullopt;
    }
    std::vector<unsigned char> image((std::istreambuf_iterator<char>(in)), {});
    long size = static_cast<long>(image.size());
    if (size > kUploadMaxBytes) {
        complain(Msg::UpdateFileTooLong, path.c_str(), size, kUploadMaxBytes);
        status = kExitUploadNot7Bit;
        return std::nullopt;
    }
    for (long offset = 0; offset < size; ++offset) {
        if (image[static_cast<std::size_t>(offset)] & 0x80) {
            complain(Msg::UpdateFileNot7Bit, path.c_str(), image[static_cast<std::size_t>(offset)], offset);
            status = kExitUploadNot7Bit;
            return std::nullopt;
        }
    }
    return size;
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
    if (status = preparePort(args); status != kExitOk)
        return status;
    warnAboutLatency();

    bool showBar = isTerminal(stderr);
    // On a terminal the bar replaces the trace's dots.
    if (showBar && isTerminal(stdout))
        traceOut = discardStream();
    if (showBar)
        startProgress(stderr, *size);
    UpdateOutcome ended = updateFirmware(term, path);
    if (showBar)
        finishProgress();
    if (ended != UpdateOutcome::Written) {
        UploadOutcome outcome = uploadOutcome(ended);
        announce(Msg::UpdateErrorTitle, outcome.text);
        return outcome.exitStatus;
    }
    announce(Msg::UpdateDoneTitle, Msg::UpdateDone);
    announce(Msg::RestartNoticeUpdate, std::nullopt);
    return kExitOk;
}

}  // namespace

const Subcommand updateCommand = {"update", {}, runUpdate};
