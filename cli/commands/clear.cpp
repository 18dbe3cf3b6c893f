// orvelin clear: a backup of the servo, the window's settings clear, then
// the restart question; on one servo or on each listed one, with one
// question for them all. A clear the servo refuses or does not answer is no
// clear.
#include "cli/commands/clearing.h"
#include "cli/exit_codes.h"
#include "cli/servo_ids.h"
#include "cli/subcommands.h"

namespace {

struct ClearArgs : CommonArgs {
    bool yes = false;
    bool keepGoing = false;
    bool noBackup = false;
};

constexpr Option<ClearArgs> kOptions[] = {
    {"--yes", &ClearArgs::yes, {}, {"do not wait for Enter", "Enter を待ちません"}},
    {"--keep-going", &ClearArgs::keepGoing, {},
     {"for a list, clear the other servos when one cannot be backed up",
      "リストでバックアップできないサーボがあっても、他のサーボを消去します"}},
    {"--no-backup", &ClearArgs::noBackup, {},
     {"clear without a backup (a list's servos must still answer first)",
      "バックアップせずに消去します (リストではまず全サーボの応答を確かめます)"}},
};

constexpr CommandHelp kHelp = {
    .common = kServoListOptions,
    .english = {
        .intro = R"(Clears the servo's settings as the window's Clear does: sends "f 0 3e8" and the restart
request "w 9 1" (their trace on stdout), then asks you to restart the ORVELIN and press Enter.
Before that it reads every register and saves them as a FLASH value file in the backups
folder ('orvelin backups' lists them), and shows the 'orvelin flash' command that writes
them back; a servo that cannot be read whole, or whose backup cannot be written, is not
cleared. For a list of IDs it first backs up every servo (nothing is cleared when one
fails, unless --keep-going leaves it out), clears each, and asks once for them all.
)",
        .outro = R"(
Exit status: 0 done, 1 the port cannot be opened, 2 bad arguments, no port configured, or
a backup cannot be written, 8 no answer from the servo, 9 a reply with bytes missing or
extra.
)",
    },
    .japanese = {
        .intro = R"(ウィンドウの「クリア」と同じく設定を消去します: "f 0 3e8" と再起動要求 "w 9 1" を送り
(トレースは標準出力)、ORVELINを再起動して Enter を押すよう求めます。その前に全レジスタを
読み出してバックアップのフォルダーに FLASH 値ファイルとして保存し ('orvelin backups' で
一覧を表示します)、書き戻す 'orvelin flash' のコマンドを表示します。完全に読み出せないか、
バックアップを書き込めないサーボは消去しません。ID のリストでは、まずすべてのサーボを
バックアップし (できないサーボがあれば何も消去しません。--keep-going ではそのサーボを
除きます)、各サーボを消去して、まとめて1回確認します。
)",
        .outro = R"(
終了コード: 0 完了、1 ポートが開けない、2 引数の誤り、ポートが設定されていない、
またはバックアップを書き込めない、8 サーボから応答がない、9 応答のバイトが足りないか
余分なバイトがある
)",
    },
};

int runClear(const ClearArgs& args)
{
    if (!expectPositional(args, "clear", 0, 0, ""))
        return kExitUsage;
    int status = kExitOk;
    auto session = openServos(args, status);
    if (!session)
        return status;
    // Without Enter the clear is still done: only the question went unanswered.
    ClearRun run = clearServos(*session, {.keepGoing = args.keepGoing, .confirmed = args.yes, .backUp = !args.noBackup});
    return run.status;
}

}  // namespace

const Subcommand clearCommand = subcommand<ClearArgs, kOptions, runClear>("clear", kHelp);
