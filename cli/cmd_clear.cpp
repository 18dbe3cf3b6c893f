// orvelin clear: the window's settings clear, then the restart question.
#include "exit_codes.h"
#include "port_setup.h"
#include "restart_prompt.h"
#include "settings_clear.h"
#include "subcommands.h"

namespace {

constexpr OptionDef kOptions[] = {{"--yes", false}};

int runClear(const ParsedArgs& args)
{
    if (!expectPositional(args, "clear", 0, 0, ""))
        return kExitUsage;
    if (int status = preparePort(args); status != kExitOk)
        return status;
    if (!sendSettingsClear())
        return kExitNoReply;
    if (args.has("--yes")) {
        announce(Msg::ClearDoneTitle, std::nullopt);
    } else {
        announce(Msg::ClearDoneTitle, Msg::RestartPrompt);
        waitForEnter();
    }
    return kExitOk;
}

}  // namespace

const Subcommand clearCommand = {"clear", kOptions, runClear};
