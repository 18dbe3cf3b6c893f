// orvelin flash: the window's FLASH write, its staged values taken from a
// FLASH value file, then each value read back after the restart.
#include "cli/commands/clearing.h"
#include "cli/console/progress.h"
#include "cli/exit_codes.h"
#include "cli/outcomes.h"
#include "cli/servo_ids.h"
#include "cli/staged_values.h"
#include "cli/subcommands.h"
#include "cli/texts/messages.h"
#include "link/registers.h"
#include "orvelin/writes.h"
#include "ops/command_lines.h"

#include <chrono>
#include <cstdio>

namespace {

using orvelin::StagedValues;

struct FlashArgs : CommonArgs {
    bool dryRun = false;
    bool yes = false;
    bool keepGoing = false;
    bool allowIdChange = false;
    bool noBackup = false;
};

constexpr Option<FlashArgs> kOptions[] = {
    {"--dry-run", &FlashArgs::dryRun, {},
     {"print the command lines instead of sending them",
      "送信せずにコマンド行を表示します"}},
    {"--yes", &FlashArgs::yes, {},
     {"do not wait for Enter after the clear (needed when standard input\n"
      "is not a terminal: without a way to ask, nothing is cleared)",
      "消去後に Enter を待ちません (標準入力が端末でないときに必要です。\n"
      "確認できないときは何も消去しません)"}},
    {"--keep-going", &FlashArgs::keepGoing, {},
     {"for a list, go on without a servo that does not answer or fails",
      "リストで、応答しないか失敗したサーボを除いて続けます"}},
    {"--allow-id-change", &FlashArgs::allowIdChange, {},
     {"write a staged SYS_SID even where it changes the servo's ID",
      "サーボの ID が変わるときも SYS_SID を書き込みます"}},
    {"--no-backup", &FlashArgs::noBackup, {},
     {"clear without a backup (a list's servos must still answer first)",
      "バックアップせずに消去します (リストではまず全サーボの応答を確かめます)"}},
};

constexpr CommandHelp kHelp = {
    .common = kServoListOptions,
    .english = {
        .arguments = "FILE",
        .intro = R"(Writes the values staged in a FLASH value file into the servo's FLASH memory, as the
window's Write does after File > Open. The file is checked whole before anything is sent:
each line is "ROW VALUE" (as the window saves it), ROW the register's row, 0 to 62 in the
order of 'orvelin table', VALUE 0x and hexadecimal digits that fit the register, such as
18 0x03E8; each row once, at least one value. Then it
  1. saves every register of the servo as a backup, as 'orvelin clear' does ('orvelin
     backups' lists them; a servo that cannot be backed up is not cleared), clears the
     settings ("f 0 3e8", "w 9 1") and asks you to restart the ORVELIN and press Enter,
  2. sends "f ADDR VALUE" for each staged value; each must be answered and accepted,
  3. sends the restart request "w 9 1" and reads the registers back: each value written
     must be there.
For a list of IDs (a whole robot): every listed servo must be backed up first; each is
cleared; you are asked once to restart them all; then each one in turn gets the values,
its restart request and its read back, with a line for each servo and a summary. The run
stops at the first failure unless --keep-going; the status is the first failure's.
A file that stages SYS_SID (the servo's ID, as 'orvelin save' writes it) is written only
to the servo with that ID, unless --allow-id-change.
)",
        .outro = R"(
Example: orvelin save arm.txt --id 1 --registers FB_,PWM_
         orvelin flash arm.txt --id 2-6

Exit status: 0 done, 1 the port cannot be opened, 2 the file cannot be used, a backup
cannot be written, no terminal to ask on and no --yes, or the restart was not confirmed,
8 no answer from the servo, 9 a reply with bytes missing or extra, 10 a value the servo
refused or that does not read back.
)",
    },
    .japanese = {
        .arguments = "ファイル",
        .intro = R"(FLASH 値ファイルの値をサーボの FLASH に書き込みます。ウィンドウで「開く」の後に
「書込み」をしたときと同じです。何かを送信する前にファイル全体を検査します: 各行は
ウィンドウが保存する「行 値」の形で、行は 'orvelin table' の順でのレジスタの行 (0〜62)、
値は 0x とレジスタに収まる16進数です (例: 18 0x03E8)。各行は1回だけ、値は1つ以上。
その後、
  1. 'orvelin clear' と同じくサーボの全レジスタをバックアップし ('orvelin backups' で一覧を
     表示します。バックアップできないサーボは消去しません)、設定を消去し ("f 0 3e8",
     "w 9 1")、ORVELINを再起動して Enter を押すよう求めます
  2. 各値について "f アドレス 値" を送ります。どの値も応答があり、受け付けられること
  3. 再起動要求 "w 9 1" を送り、レジスタを読み出します。書き込んだ値がすべてあること
ID のリスト (ロボット全体) では、まず全サーボをバックアップできること。各サーボを消去し、
まとめて1回再起動を確認してから、サーボごとに値、再起動要求、読み出し確認を行い、サーボごとの
行とまとめを表示します。--keep-going がなければ最初の失敗で止まり、終了コードは最初の失敗の
ものです。SYS_SID (サーボの ID。'orvelin save' が書きます) を含むファイルは、その ID の
サーボにだけ書き込みます (--allow-id-change を除く)。
)",
        .outro = R"(
例: orvelin save arm.txt --id 1 --registers FB_,PWM_
    orvelin flash arm.txt --id 2-6

終了コード: 0 完了、1 ポートが開けない、2 ファイルが使えない、バックアップを書き込めない、
確認する端末も --yes もない、または再起動が確認されない、8 サーボから応答がない、9 応答の
バイトが足りないか余分なバイトがある、10 サーボが受け付けなかった値、または読み出せない値がある
)",
    },
};

constexpr int kSysSidRow = registerRow("SYS_SID");
// A restarted servo answers again within this.
constexpr auto kRestartWait = std::chrono::seconds(2);

void printLines(const std::vector<std::string>& valueLines)
{
    std::printf("%s\n%s\n", kSettingsClearLine.data(), kRestartLine.data());
    for (const std::string& line : valueLines)
        std::printf("%s\n", line.c_str());
    std::printf("%s\n", kRestartLine.data());
}

StagedValues valuesOf(const FlashColumn& staged)
{
    StagedValues values;
    for (int row = 0; row < FlashColumn::kRows; ++row)
        if (!staged.cell(row).empty())
            values[static_cast<std::size_t>(row)] = stagedValue(staged.cell(row));
    return values;
}

// A file saved from one servo carries its ID in SYS_SID: written to another
// servo it would give that one the same ID, and the bus two servos that
// answer as one.
bool changesAnId(const FlashColumn& staged, const ServoIds& servos)
{
    const std::string& cell = staged.cell(kSysSidRow);
    if (cell.empty())
        return false;
    for (int id : servos.ids) {
        if (stagedValue(cell) != static_cast<uint32_t>(id)) {
            complain(Msg::FlashChangesId, stagedValue(cell), id);
            return true;
        }
    }
    return false;
}

int runFlash(const FlashArgs& args)
{
    if (!expectPositional(args, "flash", 1, 1, "FILE"))
        return kExitUsage;
    auto staged = loadStagedValues(args.positional[0]);
    if (!staged)
        return kExitUsage;
    if (args.dryRun) {
        printLines(stagedValueLines(*staged));
        return kExitOk;
    }
    // Nothing is cleared unless the operator can be asked for the restart.
    if (!args.yes && !isTerminal(stdin)) {
        complain(Msg::FlashNeedsTerminal);
        return kExitUsage;
    }
    int status = kExitOk;
    auto session = openServos(args, status);
    if (!session)
        return status;
    if (!args.allowIdChange && changesAnId(*staged, session->servos))
        return kExitUsage;
    bool keepGoing = args.keepGoing;

    // The values go in only after the operator has restarted the cleared servos.
    ClearRun cleared = clearServos(*session, {.keepGoing = keepGoing, .confirmed = args.yes, .backUp = !args.noBackup});
    if (cleared.cleared.empty() || (cleared.status != kExitOk && !keepGoing))
        return cleared.status;
    if (cleared.restart == RestartOutcome::Unconfirmed) {
        complain(Msg::NotConfirmed);
        return kExitUsage;
    }
    RunBus bus(session->choice);
    if (!portOpened(bus, status))
        return status;
    StagedValues values = valuesOf(*staged);
    status = runServos(bus, ServoIds{cleared.cleared, session->servos.listed}, keepGoing,
                       [&](int id) { return orvelin::writeFlashValues(bus, id, values, kRestartWait); });
    if (status == kExitOk)
        announce(Msg::FlashDoneTitle, Msg::FlashDone);
    return cleared.status != kExitOk ? cleared.status : status;
}

}  // namespace

const Subcommand flashCommand = subcommand<FlashArgs, kOptions, runFlash>("flash", kHelp);
