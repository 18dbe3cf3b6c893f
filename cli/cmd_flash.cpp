// orvelin flash: the window's FLASH write, its staged values taken from a
// FLASH value file.
#include "exit_codes.h"
#include "messages.h"
#include "port_setup.h"
#include "restart_prompt.h"
#include "run_line.h"
#include "servo_clear.h"
#include "servo_operations.h"
#include "staged_values.h"
#include "subcommands.h"
#include "term.h"

#include <cstdio>

namespace {

constexpr OptionDef kOptions[] = {{"--dry-run", false}, {"--yes", false}};

void printLines(const std::vector<std::string>& valueLines)
{
    std::printf("%s\n%s\n", kSettingsClearLine.data(), kRestartLine.data());
    for (const std::string& line : valueLines)
        std::printf("%s\n", line.c_str());
    std::printf("%s\n", kRestartLine.data());
}

int runFlash(const ParsedArgs& args)
{
    if (!expectPositional(args, "flash", 1, 1, "FILE"))
        return kExitUsage;
    auto staged = loadStagedValues(args.positional[0]);
    if (!staged)
        return kExitUsage;
    std::vector<std::string> valueLines = stagedValueLines(*staged);
    if (args.has("--dry-run")) {
        printLines(valueLines);
        return kExitOk;
    }
    if (int status = preparePort(args); status != kExitOk)
        return status;

    // The values go in only after the operator has restarted the cleared servo.
    switch (clearAndAwaitRestart(args.has("--yes"))) {
    case RestartOutcome::NoServo:
        return kExitNoReply;
    case RestartOutcome::Unconfirmed:
        complain(Msg::NotConfirmed);
        return kExitUsage;
    case RestartOutcome::Confirmed:
        break;
    }
    sendStagedValues(term, [&](int row) { return staged->cell(row); });
    sendRestartRequest(term);
    announce(Msg::FlashDoneTitle, Msg::FlashDone);
    return kExitOk;
}

}  // namespace

const Subcommand flashCommand = {"flash", kOptions, runFlash};
