// orvelin flash: the window's FLASH write, its staged values taken from a
// FLASH value file.
#include "exit_codes.h"
#include "flash_file.h"
#include "messages.h"
#include "port_setup.h"
#include "restart_prompt.h"
#include "run_line.h"
#include "settings_clear.h"
#include "subcommands.h"
#include "window_lines.h"

#include <cstdio>

namespace {

constexpr OptionDef kOptions[] = {{"--dry-run", false}, {"--yes", false}};

void printLines(const std::vector<std::string>& valueLines)
{
    std::printf("%s\n%s\n", kClearLine, kRestartLine);
    for (const std::string& line : valueLines)
        std::printf("%s\n", line.c_str());
    std::printf("%s\n", kRestartLine);
}

int runFlash(const ParsedArgs& args)
{
    if (!expectPositional(args, "flash", 1, 1, "FILE"))
        return kExitUsage;
    auto cells = loadFlashFile(args.positional[0]);
    if (!cells)
        return kExitUsage;
    std::vector<std::string> valueLines = flashValueLines(*cells);
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
    for (const std::string& line : valueLines)
        runLine(line);
    runLine(kRestartLine);
    announce(Msg::FlashDoneTitle, Msg::FlashDone);
    return kExitOk;
}

}  // namespace

const Subcommand flashCommand = {"flash", kOptions, runFlash};
