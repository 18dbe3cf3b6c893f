// orvelin clear: the window's settings clear, then the restart question; on
// one servo or on each listed one, with one question for them all.
#include "exit_codes.h"
#include "port_setup.h"
#include "servo_clear.h"
#include "servo_ids.h"
#include "subcommands.h"

namespace {

constexpr OptionDef kOptions[] = {{"--yes", false}, {"--keep-going", false}};

int runClear(const ParsedArgs& args)
{
    if (!expectPositional(args, "clear", 0, 0, ""))
        return kExitUsage;
    int status = kExitOk;
    auto servos = prepareServos(args, status);
    if (!servos)
        return status;
    bool keepGoing = args.has("--keep-going");
    ServoIds answering;
    int silent = servosAnswering(*servos, keepGoing, answering);
    if (silent != kExitOk && (!keepGoing || answering.ids.empty()))
        return silent;
    // Without Enter the clear is still done: only the question went unanswered.
    ClearRun run = clearServos(answering, keepGoing, args.has("--yes"));
    return silent != kExitOk ? silent : run.status;
}

}  // namespace

const Subcommand clearCommand = {"clear", kOptions, runClear};
