// orvelin diff: the registers whose values differ, between a servo and a
// FLASH value file, two servos, or every listed servo and the first.
#include "cli/exit_codes.h"
#include "cli/texts/messages.h"
#include "cli/port_setup.h"
#include "cli/register_args.h"
#include "link/registers.h"
#include "cli/servo_ids.h"
#include "cli/outcomes.h"
#include "orvelin/diff.h"
#include "orvelin/reads.h"
#include "orvelin/writes.h"
#include "cli/staged_values.h"
#include "cli/subcommands.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

struct DiffArgs : CommonArgs {
    std::optional<std::string> with;
    std::optional<std::string> registers;
    bool json = false;
};

// What --json writes, in both languages.
constexpr std::string_view kJsonShape = R"({"reference": "file", "differences": [{"name": "M_POS", "address": 32,
"size": 2, "values": {"file": 1000, "01": 2048}}]})";

constexpr Option<DiffArgs> kOptions[] = {
    {"--with", &DiffArgs::with, {"HEX", "16進数"}},
    {"--registers", &DiffArgs::registers, {"LIST", "リスト"},
     {"compare only these: names and group prefixes, such as FB_,PWM_",
      "これらだけを比べます: FB_,PWM_ のような名前とグループの接頭辞"}},
    {"--json", &DiffArgs::json, {}, {kJsonShape, kJsonShape}},
};

constexpr CommandHelp kHelp = {
    .common = kServoListOptions,
    .english = {
        .arguments = "[FILE]",
        .intro = R"(Shows the registers whose values differ, with the value on each side:
  orvelin diff FILE               the servo (--id) against the values a FLASH value file stages
  orvelin diff --id 1 --with 2    servo 1 against servo 2
  orvelin diff --id all           every servo that answers against the first
)",
        .outro = R"(Live readings (M_POS, M_TEMP, ...) and each servo's own SYS_UID and SYS_SID differ between
servos by nature: --registers keeps them out.

Exit status: 0 nothing differs, 1 the port cannot be opened, 2 bad arguments, a file that
cannot be used, or no port configured, 8 no answer from a servo, 9 a reply with bytes
missing or extra, 11 registers differ.
)",
    },
    .japanese = {
        .arguments = "[ファイル]",
        .intro = R"(値の違うレジスタを、それぞれの側の値とともに表示します:
  orvelin diff ファイル           サーボ (--id) と FLASH 値ファイルの値
  orvelin diff --id 1 --with 2    サーボ 1 とサーボ 2
  orvelin diff --id all           応答する全サーボと最初のサーボ
)",
        .outro = R"(計測値 (M_POS、M_TEMP など) と各サーボ固有の SYS_UID、SYS_SID はサーボごとに違うのが
当然です。--registers で除いてください。

終了コード: 0 違いなし、1 ポートが開けない、2 引数の誤り、使えないファイル、または
ポートが設定されていない、8 サーボから応答がない、9 応答のバイトが足りないか余分な
バイトがある、11 違うレジスタがある
)",
        .layout = {.column = 21},
    },
};

// What the others are held against: a file's staged values or a servo's.
struct Side {
    std::string name;             // "file" or the ID as 01
    orvelin::StagedValues values;  // by row; nothing where the file stages none
};

Side servoSide(const orvelin::ServoImage& memory)
{
    char name[8];
    std::snprintf(name, sizeof name, "%02X", static_cast<unsigned>(memory.id));
    return {name, orvelin::valuesOf(memory, orvelin::everyRow())};
}

Side fileSide(const FlashColumn& staged)
{
    Side side{"file", {}};
    for (int row = 0; row < kParamRows; ++row) {
        const std::string& cell = staged.cell(row);
        if (!cell.empty())
            side.values[static_cast<std::size_t>(row)] = stagedValue(cell);
    }
    return side;
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

int runDiff(const DiffArgs& args)
{
    if (!expectPositional(args, "diff", 0, 1, ""))
        return kExitUsage;
    auto rows = registersOption(args.registers);
    if (!rows)
        return usageFailure("diff");
    std::optional<FlashColumn> staged;
    if (!args.positional.empty() && !(staged = loadStagedValues(args.positional[0])))
        return kExitUsage;
    std::optional<int> with;
    if (args.with) {
        if (staged) {
            complain(Msg::DiffFileOrWith);
            return usageFailure("diff");
        }
        if (!(with = idFromText(*args.with)))
            return usageFailure("diff");
    }
    int status = kExitOk;
    auto session = openServos(args, status);
    if (!session)
        return status;
    std::vector<int> ids = session->servos.ids;
    if (with)
        ids.insert(ids.begin(), *with);
    if (!staged && ids.size() < 2) {
        complain(Msg::DiffNothingToCompare);
        return usageFailure("diff");
    }

    std::vector<Side> sides;
    if (staged)
        sides.push_back(fileSide(*staged));
    {
        std::vector<orvelin::ServoImage> images;
        std::vector<Outcome> outcomes = orvelin::readRound(*session->bus, ids, orvelin::BlockSet::all(), images);
        for (const Outcome& outcome : outcomes)
            if (int read = reportOutcome(outcome, *session->bus); read != kExitOk)
                return read;
        for (const orvelin::ServoImage& image : images)
            sides.push_back(servoSide(image));
        session->bus.reset();
    }
    std::vector<orvelin::StagedValues> others;
    for (auto side = sides.begin() + 1; side != sides.end(); ++side)
        others.push_back(side->values);
    std::vector<int> differ = orvelin::differingRows(sides.front().values, others, *rows);
    if (args.json)
        printJson(sides, differ);
    else if (!differ.empty())
        printText(sides, differ);
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", differ.empty() ? text(Msg::DiffNone) : format(Msg::DiffCount, differ.size()).c_str());
    return differ.empty() ? kExitOk : kExitDifferent;
}

}  // namespace

const Subcommand diffCommand = subcommand<DiffArgs, kOptions, runDiff>("diff", kHelp);
