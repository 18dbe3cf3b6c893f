// orvelin table: every register's name, address and RAM value, for one
// servo or a column per servo.
#include "cli/exit_codes.h"
#include "cli/texts/messages.h"
#include "cli/port_setup.h"
#include "cli/register_args.h"
#include "link/registers.h"
#include "cli/servo_ids.h"
#include "cli/outcomes.h"
#include "orvelin/reads.h"
#include "cli/subcommands.h"

#include <cstdio>
#include <vector>

namespace {

using orvelin::ServoImage;

struct TableArgs : CommonArgs {
    bool json = false;
    bool keepGoing = false;
};

constexpr Option<TableArgs> kOptions[] = {
    {"--json", &TableArgs::json, {},
     {"a JSON array with one object per register, for scripts:\n"
      "{\"name\": \"M_POS\", \"address\": 32, \"size\": 2, \"value\": 2048}; for a list of\n"
      "IDs, one object per servo: {\"id\": 1, \"registers\": [...]}",
      "スクリプト向けに、レジスタごとに1つのオブジェクトを持つ JSON 配列を\n"
      "出力します: {\"name\": \"M_POS\", \"address\": 32, \"size\": 2, \"value\": 2048}。\n"
      "ID のリストでは、サーボごとに1つ: {\"id\": 1, \"registers\": [...]}"}},
    {"--keep-going", &TableArgs::keepGoing, {},
     {"for a list, show the servos that answered whole even when one did not",
      "リストで応答しないサーボがあっても、完全に応答したサーボを表示します"}},
};

constexpr CommandHelp kHelp = {
    .common = kServoListOptions,
    .english = {
        .intro = R"(Reads all 96 register bytes (the command line R) and prints each register's name,
address and RAM value as the window shows them; for a list of IDs, one value column per
servo.
)",
        .outro = R"(
A reply with bytes missing, or with stray bytes after it, shows no values at all.

Exit status: 0 done, 1 the port cannot be opened, 2 bad arguments or no port configured,
8 no answer from the servo, 9 a reply with bytes missing or extra.
)",
    },
    .japanese = {
        .intro = R"(レジスタ 96 バイトをすべて読み出し (コマンド行 R)、各レジスタの名前、アドレス、
RAM の値をウィンドウと同じ書式で表示します。ID のリストでは、サーボごとに値の列を
表示します。
)",
        .outro = R"(
応答のバイトが足りないか、応答の後に余分なバイトがあるときは、値を何も表示しません。

終了コード: 0 完了、1 ポートが開けない、2 引数の誤りかポートが設定されていない、
8 サーボから応答がない、9 応答のバイトが足りないか余分なバイトがある
)",
    },
};

void printText(const std::vector<ServoImage>& servos, bool listed)
{
    std::string header = text(Msg::TableHeader);
    if (listed) {
        header = std::string(text(Msg::TableHeaderIds)) + " ";
        for (const ServoImage& servo : servos) {
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
        for (const ServoImage& servo : servos) {
            char cell[16];
            std::snprintf(cell, sizeof cell, " %-11s", valueText(servo.value(row), row).c_str());
            line += cell;
        }
        while (line.ends_with(' '))
            line.pop_back();
        std::printf("%s\n", line.c_str());
    }
}

void printRegisters(const ServoImage& servo, const char* indent)
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

void printJson(const std::vector<ServoImage>& servos, bool listed)
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

int runTable(const TableArgs& args)
{
    if (!expectPositional(args, "table", 0, 0, ""))
        return kExitUsage;
    int status = kExitOk;
    auto session = openServos(args, status);
    if (!session)
        return status;
    const ServoIds& servos = session->servos;
    std::vector<ServoImage> images;
    std::vector<Outcome> outcomes = orvelin::readRound(*session->bus, servos.ids, orvelin::BlockSet::all(), images);
    // Values from a reply with bytes missing or extra are not shown at all.
    std::vector<ServoImage> read;
    for (std::size_t k = 0; k < outcomes.size(); ++k) {
        int result = reportOutcome(outcomes[k], *session->bus);
        if (result == kExitOk)
            read.push_back(images[k]);
        else if (status == kExitOk)
            status = result;
    }
    if (read.empty() || (status != kExitOk && !args.keepGoing))
        return status;
    if (args.json)
        printJson(read, servos.listed);
    else
        printText(read, servos.listed);
    return status;
}

}  // namespace

const Subcommand tableCommand = subcommand<TableArgs, kOptions, runTable>("table", kHelp);
