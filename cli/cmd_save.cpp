// orvelin save: the servo's values now, as a FLASH value file the windows
// load and orvelin flash writes into another servo.
#include "exit_codes.h"
#include "flash_column.h"
#include "messages.h"
#include "port_setup.h"
#include "register_args.h"
#include "registers.h"
#include "servo_reads.h"
#include "subcommands.h"
#include "term.h"

#include <cstdio>

namespace {

constexpr OptionDef kOptions[] = {{"--registers", true}};

// The window writes its files in the platform's text mode.
#ifdef _WIN32
constexpr const char* kLineEnd = "\r\n";
#else
constexpr const char* kLineEnd = "\n";
#endif

int runSave(const ParsedArgs& args)
{
    if (!expectPositional(args, "save", 1, 1, "FILE"))
        return kExitUsage;
    auto rows = registersOption(args.value("--registers"));
    if (!rows)
        return usageFailure("save");
    if (int status = preparePort(args); status != kExitOk)
        return status;
    traceOut = discardStream();
    ServoMemory memory;
    if (int status = readServoMemory(SendID, memory); status != kExitOk)
        return status;

    FlashColumn column;
    for (int row : *rows)
        column.set(row, valueText(memory.value(row), row));
    const std::string& path = args.positional[0];
    // Through a new file renamed over the old one: a failed save keeps it.
    if (!column.save(path.c_str(), kLineEnd)) {
        complain(Msg::SaveFailed, path.c_str());
        return kExitUsage;
    }
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", format(Msg::SaveDone, rows->size(), SendID, path.c_str()).c_str());
    return kExitOk;
}

}  // namespace

const Subcommand saveCommand = {"save", kOptions, runSave};
