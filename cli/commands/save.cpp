// orvelin save: the servo's values now, as a FLASH value file the windows
// load and orvelin flash writes into another servo.
#include "cli/exit_codes.h"
#include "cli/texts/messages.h"
#include "cli/port_setup.h"
#include "cli/register_args.h"
#include "link/registers.h"
#include "cli/outcomes.h"
#include "orvelin/backups.h"
#include "orvelin/reads.h"
#include "cli/subcommands.h"

#include <cstdio>

namespace {

struct SaveArgs : CommonArgs {
    std::optional<std::string> registers;
};

constexpr Option<SaveArgs> kOptions[] = {
    {"--registers", &SaveArgs::registers, {"LIST", "リスト"},
     {"only these: names and group prefixes, such as FB_,PWM_,SYS_BR;\n"
      "without it every register is saved (SYS_SID, the ID, among them)",
      "これらだけ: FB_,PWM_,SYS_BR のような名前とグループの接頭辞。\n"
      "省略時は全レジスタ (ID である SYS_SID を含む) を保存します"}},
};

constexpr CommandHelp kHelp = {
    .common = kServoOptions,
    .english = {
        .arguments = "FILE",
        .intro = R"(Reads the servo now and writes its values as a FLASH value file, one "ROW 0x..." line per
register in the window's texts, so either window loads it and 'orvelin flash FILE --id ...'
copies it to other servos. The file is written whole or not at all (a new file renamed
over the old one).
)",
        .outro = R"(
Example: orvelin save arm.txt --id 1 --registers FB_,PWM_

Exit status: 0 saved, 1 the port cannot be opened, 2 bad arguments, no port configured, or
the file cannot be written, 8 no answer from the servo, 9 a reply with bytes missing or
extra.
)",
    },
    .japanese = {
        .arguments = "ファイル",
        .intro = R"(サーボの現在の値を読み出し、レジスタごとに「行 0x...」の1行をウィンドウの書式で持つ FLASH
値ファイルに書きます。どちらのウィンドウでも開け、'orvelin flash ファイル --id ...' で他の
サーボに写せます。ファイルは完全に書くか、まったく書きません (新しいファイルを書いて
置き換えます)。
)",
        .outro = R"(
例: orvelin save arm.txt --id 1 --registers FB_,PWM_

終了コード: 0 保存した、1 ポートが開けない、2 引数の誤り、ポートが設定されていない、
またはファイルに書き込めない、8 サーボから応答がない、9 応答のバイトが足りないか
余分なバイトがある
)",
    },
};

int runSave(const SaveArgs& args)
{
    if (!expectPositional(args, "save", 1, 1, "FILE"))
        return kExitUsage;
    auto rows = registersOption(args.registers);
    if (!rows)
        return usageFailure("save");
    int status = kExitOk;
    auto choice = choosePort(args, status);
    if (!choice)
        return status;
    orvelin::ServoImage memory;
    {
        RunBus bus(*choice);
        if (!portOpened(bus, status))
            return status;
        if (status = reportOutcome(orvelin::readServo(bus, choice->id, orvelin::BlockSet::all(), memory), bus);
            status != kExitOk)
            return status;
    }

    const std::string& path = args.positional[0];
    // Through a new file renamed over the old one: a failed save keeps it.
    if (!orvelin::saveValues(path, memory, *rows)) {
        complain(Msg::SaveFailed, path.c_str());
        return kExitUsage;
    }
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", format(Msg::SaveDone, rows->size(), choice->id, path.c_str()).c_str());
    return kExitOk;
}

}  // namespace

const Subcommand saveCommand = subcommand<SaveArgs, kOptions, runSave>("save", kHelp);
