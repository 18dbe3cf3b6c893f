// orvelin table: every register's name, address and RAM value, for one
// servo or a column per servo.
#include "exit_codes.h"
#include "messages.h"
#include "port_setup.h"
#include "register_args.h"
#include "registers.h"
#include "servo_ids.h"
#include "servo_reads.h"
#include "subcommands.h"
#include "term.h"

#include <cstdio>
#include <vector>

namespace {

constexpr OptionDef kOptions[] = {{"--json", false}, {"--keep-going", false}};

void printText(const std::vector<ServoMemory>& servos, bool listed)
{
    std::string header = text(Msg::TableHeader);
    if (listed) {
        header = std::string(text(Msg::TableHeaderIds)) + " ";
        for (const ServoMemory& servo : servos) {
            char column[16];
            std::snprintf(column, sizeof column, " ID %02X      ", servo.id);
            header += column;
        }
        while (header.ends_with(' '))
            header.pop_back();
    }
    std::printf("%s\n", header.c_str());
    for (int row = 0; paramtbl[row].name != nullptr; ++row) {
        char address[8];
        formatAddressText(address, sizeof address, paramtbl[row].address);
        std::string line;
        char head[32];
        std::snprintf(head, sizeof head, "%-8s %-8s", paramtbl[row].name, address);
        line = head;
        for (const ServoMemory& servo : servos) {
            char cell[16];
            std::snprintf(cell, sizeof cell, " %-11s", valueText(servo.value(row), row).c_str());
            line += cell;
        }
        while (line.ends_with(' '))
            line.pop_back();
        std::printf("%s\n", line.c_str());
    }
}

void printRegisters(const ServoMemory& servo, const char* indent)
{
    std::printf("[\n");
    for (int row = 0; paramtbl[row].name != nullptr; ++row) {
        const ParamDef& def = paramtbl[row];
        std::printf("%s  {\"name\": \"%s\", \"address\": %d, \"size\": %d, \"value\": %u}%s\n", indent, def.name,
                    def.address, def.size, static_cast<unsigned>(servo.value(row)),
                    paramtbl[row + 1].name != nullptr ? "," : "");
    }
    std::printf("%s]", indent);
}

void printJson(const std::vector<ServoMemory>& servos, bool listed)
{
    if (!listed) {
        printRegisters(servos.front(), "");
        std::printf("\n");
        return;
    }
    std::printf("[\n");
    for (std::size_t k = 0; k < servos.size(); ++k) {
        std::printf("  {\"id\": %d, \"registers\": ", servos[k].id);
        printRegisters(servos[k], "  ");
        std::printf("}%s\n", k + 1 < servos.size() ? "," : "");
    }
    std::printf("]\n");
}

int runTable(const ParsedArgs& args)
{
    if (!expectPositional(args, "table", 0, 0, ""))
        return kExitUsage;
    int status = kExitOk;
    auto servos = prepareServos(args, status);
    if (!servos)
        return status;
    traceOut = discardStream();
    std::vector<ServoMemory> read;
    // Values from a reply with bytes missing or extra are not shown at all.
    status = forEachServo(
        *servos, args.has("--keep-going"),
        [&](int id) {
            ServoMemory memory;
            int result = readServoMemory(id, memory);
            if (result == kExitOk)
                read.push_back(memory);
            return result;
        },
        false);
    if (read.empty() || (status != kExitOk && !args.has("--keep-going")))
        return status;
    if (args.has("--json"))
        printJson(read, servos->listed);
    else
        printText(read, servos->listed);
    return status;
}

}  // namespace

const Subcommand tableCommand = {"table", kOptions, runTable};
