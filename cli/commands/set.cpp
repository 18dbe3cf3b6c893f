// orvelin set: one RAM write by register name or address, then a read back
// that must show the value written; on one servo or on each listed one.
#include "cli/exit_codes.h"
#include "cli/outcomes.h"
#include "cli/register_args.h"
#include "cli/servo_ids.h"
#include "cli/subcommands.h"
#include "cli/texts/messages.h"
#include "link/registers.h"
#include "orvelin/writes.h"

#include <cstdio>

namespace {

struct SetArgs : CommonArgs {
    bool keepGoing = false;
};

constexpr Option<SetArgs> kOptions[] = {
    {"--keep-going", &SetArgs::keepGoing, {},
     {"for a list of IDs, go on after a servo that failed",
      "ID のリストで、失敗したサーボがあっても続けます"}},
};

constexpr CommandHelp kHelp = {
    .common = kServoListOptions,
    .english = {
        .arguments = "REGISTER VALUE",
        .intro = R"(Writes VALUE into the register's RAM (the command line w ADDR VALUE), reads the
registers back and prints the value the servo now holds, which must be VALUE.
  REGISTER   a name (M_POS) or the address of its first byte (0x20)
  VALUE      hexadecimal (3E8 or 0x3E8) that fits the register: up to 7F, 3FFF or
             FFFFFFF for registers of 1, 2 or 4 bytes of 7 bits

)",
        .outro = R"(For a list of IDs each servo is written in turn, with a line for each and a summary;
the run stops at the first failure unless --keep-going, and the status is the first
failure's.

Example: orvelin set M_POS 0x800
         orvelin set PWM_EN 1 --id 1-12

Exit status: 0 done, 1 the port cannot be opened, 2 unknown register or bad value,
8 no answer from the servo, 9 a reply with bytes missing or extra, 10 the register does
not read back VALUE (the servo did not take it, or changed it at once).
)",
    },
    .japanese = {
        .arguments = "レジスタ 値",
        .intro = R"(値をレジスタの RAM に書き込み (コマンド行 w アドレス 値)、レジスタを読み出して
サーボが保持している値を表示します。その値は書き込んだ値でなければなりません。
  レジスタ   名前 (M_POS) または先頭バイトのアドレス (0x20)
  値         レジスタに収まる16進数 (3E8 または 0x3E8): 7ビット×1、2、4バイトの
             レジスタでそれぞれ 7F、3FFF、FFFFFFF まで

)",
        .outro = R"(ID のリストでは各サーボに順に書き込み、サーボごとの行とまとめを表示します。
--keep-going がなければ最初の失敗で止まり、終了コードは最初の失敗のものです。

例: orvelin set M_POS 0x800
    orvelin set PWM_EN 1 --id 1-12

終了コード: 0 完了、1 ポートが開けない、2 レジスタまたは値の誤り、8 サーボから応答がない、
9 応答のバイトが足りないか余分なバイトがある、10 読み出した値が書き込んだ値と違う
(サーボが受け付けなかったか、すぐに変えた)
)",
    },
};

Outcome setOne(orvelin::Bus& bus, int id, int row, uint32_t value, bool listed)
{
    orvelin::ServoImage readBack;
    Outcome outcome = orvelin::setRegister(bus, id, row, value, readBack);
    // The value as it reads back is shown, also when it is not the one written.
    if (outcome.ok() || outcome.status == Status::ReadBackDiffers) {
        const ParamDef& def = paramtbl[row];
        char address[8];
        formatAddressText(address, sizeof address, def.address);
        if (listed)
            std::printf("ID %02X: ", id);
        std::printf("%s %s = %s\n", def.name, address, valueText(readBack.value(row), row).c_str());
        std::fflush(stdout);
    }
    return outcome;
}

int runSet(const SetArgs& args)
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
    auto session = openServos(args, status);
    if (!session)
        return status;
    orvelin::Bus& bus = *session->bus;
    const ServoIds& servos = session->servos;
    return runServos(bus, servos, args.keepGoing, [&](int id) { return setOne(bus, id, *row, *value, servos.listed); });
}

}  // namespace

const Subcommand setCommand = subcommand<SetArgs, kOptions, runSet>("set", kHelp);
