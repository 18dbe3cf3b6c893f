// orvelin clear: the window's settings clear, then the restart question; on
// one servo or on each listed one, with one question for them all. A clear
// the servo refuses or does not answer is no clear.
#include "cli/commands/clearing.h"
#include "cli/exit_codes.h"
#include "cli/servo_ids.h"
#include "cli/subcommands.h"

namespace {

struct ClearArgs : CommonArgs {
    bool yes = false;
    bool keepGoing = false;
};

constexpr Option<ClearArgs> kOptions[] = {{"--yes", &ClearArgs::yes}, {"--keep-going", &ClearArgs::keepGoing}};

constexpr HelpText kHelp = {
    R"(Usage: orvelin clear [--yes] [--keep-going] [--port DEVICE] [--baud RATE] [--id HEX|LIST|all] [--wire]

Clears the servo's settings as the window's Clear does: sends "f 0 3e8" and the restart
request "w 9 1" (their trace on stdout), then asks you to restart the ORVELIN and press Enter.
For a list of IDs it first checks that every servo answers (nothing is cleared when one
does not, unless --keep-going leaves it out), clears each, and asks once for them all.
  --yes          do not wait for Enter
  --keep-going   for a list, clear the servos that answer even when one does not

Exit status: 0 done, 1 the port cannot be opened, 2 bad arguments or no port configured,
8 no answer from the servo.
)",
    R"(使い方: orvelin clear [--yes] [--keep-going] [--port デバイス] [--baud 速度] [--id 16進数|リスト|all] [--wire]

ウィンドウの「クリア」と同じく設定を消去します: "f 0 3e8" と再起動要求 "w 9 1" を送り
(トレースは標準出力)、ORVELINを再起動して Enter を押すよう求めます。ID のリストでは、
まずすべてのサーボが応答するかを確かめ (応答しないサーボがあれば何も消去しません。
--keep-going ではそのサーボを除きます)、各サーボを消去して、まとめて1回確認します。
  --yes          Enter を待ちません
  --keep-going   リストで応答しないサーボがあっても、応答するサーボを消去します

終了コード: 0 完了、1 ポートが開けない、2 引数の誤りかポートが設定されていない、
8 サーボから応答がない
)"};

int runClear(const ClearArgs& args)
{
    if (!expectPositional(args, "clear", 0, 0, ""))
        return kExitUsage;
    int status = kExitOk;
    auto servos = prepareServos(args, status);
    if (!servos)
        return status;
    // Without Enter the clear is still done: only the question went unanswered.
    ClearRun run = clearServos(*servos, args.keepGoing, args.yes);
    return run.status;
}

}  // namespace

const Subcommand clearCommand = {"clear", kHelp, startCommand<ClearArgs, kOptions, runClear>};
