// orvelin table: every register's name, address and RAM value.
#include "command_lines.h"
#include "exit_codes.h"
#include "messages.h"
#include "port_setup.h"
#include "register_args.h"
#include "registers.h"
#include "run_line.h"
#include "serial.h"
#include "subcommands.h"
#include "term.h"
#include "wire_monitor.h"

#include <cstdio>

namespace {

constexpr OptionDef kOptions[] = {{"--json", false}};
constexpr long kRegisterBytes = 96;

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
    long before = wireBytesReceived();
    runLine(kReadAllLine);
    long received = wireBytesReceived() - before;
    if (received == 0) {
        complain(Msg::NoReply, SendID, portDisplayName().c_str(), baudRate);
        return kExitNoReply;
    }
    if (received < kRegisterBytes)
        complain(Msg::ShortReply, received);
    if (args.has("--json"))
        printJson();
    else
        printText();
    return kExitOk;
}

}  // namespace

const Subcommand tableCommand = {"table", kOptions, runTable};
