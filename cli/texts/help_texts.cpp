#include "cli/texts/help_texts.h"

#include "cli/subcommands.h"
#include "cli/texts/messages.h"

namespace {

constexpr HelpText kOverview = {
    R"(orvelin: the ORVELIN servo programmer for the command line

Usage: orvelin COMMAND [OPTIONS] [ARGUMENTS]
       orvelin --version

Commands:
  term LINE...         run command lines of the servo link (R, w 9 1, f 0 3e8, u FILE ...)
  table [--json]       read all registers: name, address and RAM value
  set REGISTER VALUE   write a RAM value (hexadecimal) and read it back
  clear                clear the servo's settings, as the window's Clear does
  flash FILE           write a FLASH value file into the servo's FLASH memory
  update FILE          upload a firmware update file (*.upd)
  save FILE            save the servo's values as a FLASH value file
  diff [FILE]          show the registers whose values differ (servo and file, or servos)
  backups              list the backups clear and flash take, newest first
  scan                 find the servo IDs that answer
  watch REGISTER...    read registers again and again: lines, CSV, a live chart, an SVG
  ports                list serial devices, USB latency timers and low latency
  config               show or change the port and baud rate in servoconf.ini
  help [COMMAND]       show this help, or a command's

Options of every command:
  --port DEVICE   serial device (/dev/ttyUSB0, COM3 on Windows); default: PORT in servoconf.ini
  --baud RATE     baud rate; default: BAUDRATE in servoconf.ini (115200)
  --id HEX        servo ID, 0 to 3F; default 3F. table, set, clear, flash, update, watch
                  and diff also take a list: 1,2,5 or 1-12 or 1-4,9, or all (the IDs that
                  answer at the baud in force), and take the servos in turn
  --wire          show every packet sent and every reply on stderr, with times in ms
  -h, --help      show the help of a command: orvelin COMMAND --help

servoconf.ini lies beside the program when that folder is writable, else in
~/.config/orvelin/; ORVELIN_CONFIG names another file. 'orvelin config' shows which.

Exit status (each command's help lists the ones it returns):
  0    done
  1    the port cannot be opened
  2    bad arguments or input file, no port configured: nothing was sent
  3-6  a failed upload ('orvelin update --help')
  8    no answer from the servo
  9    a reply with bytes missing or stray bytes after it: the values are not trusted
  10   the servo did not take a value: it refused it, or it does not read back
  11   diff: registers differ
  130  (143) an update stopped by Ctrl-C (SIGTERM)
)",
    R"(orvelin: ORVELIN サーボのコマンドライン版プログラマ

使い方: orvelin コマンド [オプション] [引数]
        orvelin --version

コマンド:
  term 行...           サーボリンクのコマンド行を実行します (R, w 9 1, f 0 3e8, u ファイル ...)
  table [--json]       全レジスタを読み出します: 名前、アドレス、RAM の値
  set レジスタ 値      RAM に値 (16進数) を書き込み、読み出して確認します
  clear                ウィンドウの「クリア」と同じく設定を消去します
  flash ファイル       FLASH 値ファイルをサーボの FLASH に書き込みます
  update ファイル      ファームウェアアップデートファイル (*.upd) を書き込みます
  save ファイル        サーボの値を FLASH 値ファイルに保存します
  diff [ファイル]      値の違うレジスタを表示します (サーボとファイル、またはサーボ同士)
  backups              clear と flash が取ったバックアップを新しい順に表示します
  scan                 応答するサーボ ID を探します
  watch レジスタ...    レジスタを繰り返し読み出します: 行、CSV、ライブチャート、SVG
  ports                シリアルデバイス、USB レイテンシタイマー、低遅延を表示します
  config               servoconf.ini のポートとボーレートを表示・変更します
  help [コマンド]      この説明、またはコマンドの説明を表示します

全コマンド共通のオプション:
  --port デバイス  シリアルデバイス (/dev/ttyUSB0、Windows では COM3)。省略時は servoconf.ini の PORT
  --baud 速度      ボーレート。省略時は servoconf.ini の BAUDRATE (115200)
  --id 16進数      サーボ ID (0〜3F)。省略時は 3F。table、set、clear、flash、update、watch、
                   diff はリストも受け付け (1,2,5、1-12、1-4,9、または応答する全 ID の all)、
                   サーボを順に処理します
  --wire           送信した全パケットと受信した全応答を時刻 (ms) 付きで標準エラーに表示します
  -h, --help       コマンドの説明を表示します: orvelin コマンド --help

servoconf.ini はプログラムのフォルダーに書き込めればそこに、そうでなければ
~/.config/orvelin/ に置きます。ORVELIN_CONFIG で別のファイルを指定できます。
どれを使っているかは 'orvelin config' で表示します。

終了コード (各コマンドの説明に、そのコマンドが返すものを示します):
  0    完了
  1    ポートが開けない
  2    引数または入力ファイルの誤り、ポートが設定されていない: 何も送信していません
  3〜6 アップデートの失敗 ('orvelin update --help')
  8    サーボから応答がない
  9    応答のバイトが足りないか、応答の後に余分なバイトがある: 値は信頼できません
  10   サーボが値を受け付けない、または書き込んだ値が読み出せない
  11   diff: 違うレジスタがある
  130  (143) Ctrl-C (SIGTERM) で中断したアップデート
)"};

}  // namespace

const char* HelpText::inLanguage() const
{
    return ::japanese() ? japanese : english;
}

const char* overviewHelp()
{
    return kOverview.inLanguage();
}

const char* commandHelp(std::string_view command)
{
    const Subcommand* subcommand = findSubcommand(command);
    return subcommand != nullptr ? subcommand->help.inLanguage() : nullptr;
}
