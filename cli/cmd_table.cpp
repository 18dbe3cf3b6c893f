// orvelin table: every register's name, address and RAM value.
#include "exit_codes.h"
#include "messages.h"
#include "port_setup.h"
#include "register_args.h"
#include "registers.h"
#include "servo_reads.h"
#include "subcommands.h"
#include "term.h"

#include <cstdio>

namespace {

constexpr OptionDef kOptions[] = {{"--json", false}};

void printText()
{
    std::printf("%s\n", text(Msg::TableHeader));
    for (int row = 0; paramtbl[row].name != nullptr; ++row) {
        char address[8];
        formatAddressText(address, sizeof address, paramtbl[row].address);
        std::printf("%-8s %-8s %s\n", paramtbl[row].name, address, valueText(paramValue(row), row).c_str());
    }
}

void printJson()
{
    std::printf("[\n");
    for (int row = 0; paramtbl[row].name != nullptr; ++row) {
        const ParamDef& def = paramtbl[row];
        std::printf("  {\"name\": \"%s\", \"address\": %d, \"size\": %d, \"value\": %u}%s\n", def.name, def.address,
                    def.size, static_cast<unsigned>(paramValue(row)), paramtbl[row + 1].name != nullptr ? "," : "");
    }
    std::printf("]\n");
}

int runTable(const ParsedArgs& args)
{
    if (!expectPositional(args, "table", 0, 0, ""))
        return kExitUsage;
    if (int status = preparePort(args); status != kExitOk)
        return status;
    traceOut = discardStream();
    // Values from a reply with bytes missing or extra are not shown at all.
    if (int status = judgeRead(readRegisters()); status != kExitOk)
        return status;
    if (args.has("--json"))
        printJson();
    else
        printText();
    return kExitOk;
}

}  // namespace

const Subcommand tableCommand = {"table", kOptions, runTable};
