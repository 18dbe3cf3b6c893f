// orvelin diff: the registers whose values differ, between a servo and a
// FLASH value file, two servos, or every listed servo and the first.
#include "exit_codes.h"
#include "messages.h"
#include "port_setup.h"
#include "register_args.h"
#include "registers.h"
#include "servo_ids.h"
#include "servo_reads.h"
#include "staged_values.h"
#include "subcommands.h"
#include "term.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr OptionDef kOptions[] = {{"--with", true}, {"--registers", true}, {"--json", false}};

// What the others are held against: a file's staged values or a servo's.
struct Side {
    std::string name;                             // "file" or the ID as 01
    std::vector<std::optional<uint32_t>> values;  // by row; nothing where the file stages none
};

Side servoSide(const ServoMemory& memory)
{
    char name[8];
    std::snprintf(name, sizeof name, "%02X", static_cast<unsigned>(memory.id));
    Side side{name, {}};
    for (int row = 0; row < kParamRows; ++row)
        side.values.push_back(memory.value(row));
    return side;
}

Side fileSide(const FlashColumn& staged)
{
    Side side{"file", {}};
    for (int row = 0; row < kParamRows; ++row) {
        const std::string& cell = staged.cell(row);
        side.values.push_back(cell.empty() ? std::nullopt : std::optional<uint32_t>(stagedValue(cell)));
    }
    return side;
}

std::vector<int> differingRows(const Side& reference, const std::vector<Side>& others, const std::vector<int>& rows)
{
    std::vector<int> differ;
    for (int row : rows) {
        const auto& want = reference.values[static_cast<std::size_t>(row)];
        if (!want)
            continue;
        for (const Side& other : others) {
            if (other.values[static_cast<std::size_t>(row)] != want) {
                differ.push_back(row);
                break;
            }
        }
    }
    return differ;
}

void printText(const std::vector<Side>& sides, const std::vector<int>& rows)
{
    std::string header = text(Msg::TableHeaderIds);
    header += ' ';
    for (const Side& side : sides) {
        char column[24];
        std::snprintf(column, sizeof column, " %-11s",
                      side.name == "file" ? text(Msg::DiffFile) : ("ID " + side.name).c_str());
        header += column;
    }
    while (header.ends_with(' '))
        header.pop_back();
    std::printf("%s\n", header.c_str());
    for (int row : rows) {
        char line[256];
        char address[8];
        formatAddressText(address, sizeof address, paramtbl[row].address);
        int n = std::snprintf(line, sizeof line, "%-8s %-8s", paramtbl[row].name, address);
        std::string text(line, static_cast<std::size_t>(n));
        for (const Side& side : sides) {
            char cell[24];
            std::snprintf(cell, sizeof cell, " %-11s",
                          valueText(*side.values[static_cast<std::size_t>(row)], row).c_str());
            text += cell;
        }
        while (text.ends_with(' '))
            text.pop_back();
        std::printf("%s\n", text.c_str());
    }
}

void printJson(const std::vector<Side>& sides, const std::vector<int>& rows)
{
    std::printf("{\"reference\": \"%s\", \"differences\": [", sides.front().name.c_str());
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const ParamDef& def = paramtbl[rows[k]];
        std::printf("%s\n  {\"name\": \"%s\", \"address\": %d, \"size\": %d, \"values\": {", k == 0 ? "" : ",",
                    def.name, def.address, def.size);
        for (std::size_t s = 0; s < sides.size(); ++s)
            std::printf("%s\"%s\": %u", s == 0 ? "" : ", ", sides[s].name.c_str(),
                        static_cast<unsigned>(*sides[s].values[static_cast<std::size_t>(rows[k])]));
        std::printf("}}");
    }
    std::printf("%s]}\n", rows.empty() ? "" : "\n");
}

int runDiff(const ParsedArgs& args)
{
    if (!expectPositional(args, "diff", 0, 1, ""))
        return kExitUsage;
    auto rows = registersOption(args.value("--registers"));
    if (!rows)
        return usageFailure("diff");
    std::optional<FlashColumn> staged;
    if (!args.positional.empty() && !(staged = loadStagedValues(args.positional[0])))
        return kExitUsage;
    std::optional<int> with;
    if (const std::string* text = args.value("--with")) {
        if (staged) {
            complain(Msg::DiffFileOrWith);
            return usageFailure("diff");
        }
        if (!(with = idFromText(*text)))
            return usageFailure("diff");
    }
    int status = kExitOk;
    auto servos = prepareServos(args, status);
    if (!servos)
        return status;
    std::vector<int> ids = servos->ids;
    if (with)
        ids.insert(ids.begin(), *with);
    if (!staged && ids.size() < 2) {
        complain(Msg::DiffNothingToCompare);
        return usageFailure("diff");
    }

    traceOut = discardStream();
    std::vector<Side> sides;
    if (staged)
        sides.push_back(fileSide(*staged));
    for (int id : ids) {
        ServoMemory memory;
        if (int read = readServoMemory(id, memory); read != kExitOk)
            return read;
        sides.push_back(servoSide(memory));
    }
    std::vector<Side> others(sides.begin() + 1, sides.end());
    std::vector<int> differ = differingRows(sides.front(), others, *rows);
    if (args.has("--json"))
        printJson(sides, differ);
    else if (!differ.empty())
        printText(sides, differ);
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", differ.empty() ? text(Msg::DiffNone) : format(Msg::DiffCount, differ.size()).c_str());
    return differ.empty() ? kExitOk : kExitDifferent;
}

}  // namespace

const Subcommand diffCommand = {"diff", kOptions, runDiff};
