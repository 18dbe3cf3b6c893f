// orvelin clear: the window's settings clear, then the restart question.
#include "exit_codes.h"
#include "port_setup.h"
#include "servo_clear.h"
#include "subcommands.h"

namespace {

constexpr OptionDef kOptions[] = {{"--yes", false}};

int runClear(const ParsedArgs& args)
{
    if (!expectPositional(args, "clear", 0, 0, ""))
        return kExitUsage;
    if (int status = preparePort(args); status != kExitOk)
        return status;
    // Without Enter the clear is still done: only the question went unanswered.
    if (clearAndAwaitRestart(args.has("--yes")) == RestartOutcome::NoServo)
        return kExitNoReply;
    return kExitOk;
}

}  // namespace

const Subcommand clearCommand = {"clear", kOptions, runClear};
