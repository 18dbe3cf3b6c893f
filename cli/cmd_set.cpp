// orvelin set: one RAM write by register name or address, then a read back
// that must show the value written; on one servo or on each listed one.
#include "exit_codes.h"
#include "messages.h"
#include "port_setup.h"
#include "register_args.h"
#include "registers.h"
#include "run_line.h"
#include "serial.h"
#include "servo_ids.h"
#include "servo_reads.h"
#include "subcommands.h"
#include "term.h"
#include "wire_monitor.h"

#include <cstdio>

namespace {

constexpr OptionDef kOptions[] = {{"--keep-going", false}};

int setOne(int row, uint32_t value, bool listed)
{
    const ParamDef& def = paramtbl[row];
    markReads();
    runLine(ramWriteLine(def.address, value));
    // The servo answers a RAM write with the value's groups.
    if (replyBytesSinceMark() == 0) {
        complain(Msg::NoEcho, SendID, def.name);
        return kExitNoReply;
    }
    // The window refreshes the whole list after a RAM edit; so does this.
    if (int status = judgeRead(readRegisters()); status != kExitOk)
        return status;
    uint32_t readBack = paramValue(row);
    char address[8];
    formatAddressText(address, sizeof address, def.address);
    if (listed)
        std::printf("ID %02X: ", SendID);
    std::printf("%s %s = %s\n", def.name, address, valueText(readBack, row).c_str());
    std::fflush(stdout);
    if (readBack != value) {
        complain(Msg::ReadBackDiffers, def.name, valueText(value, row).c_str(), valueText(readBack, row).c_str());
        return kExitNotWritten;
    }
    return kExitOk;
}

int runSet(const ParsedArgs& args)
{
    if (!expectPositional(args, "set", 2, 2, "REGISTER VALUE"))
        return kExitUsage;
    auto row = registerFromText(args.positional[0]);
    if (!row)
        return usageFailure("set");
    auto value = valueFromText(args.positional[1], *row);
    if (!value)
        return usageFailure("set");
    int status = kExitOk;
    auto servos = prepareServos(args, status);
    if (!servos)
        return status;
    traceOut = discardStream();
    return forEachServo(*servos, args.has("--keep-going"), [&](int) { return setOne(*row, *value, servos->listed); });
}

}  // namespace

const Subcommand setCommand = {"set", kOptions, runSet};
