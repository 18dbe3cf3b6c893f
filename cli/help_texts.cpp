#include "help_texts.h"

#include "messages.h"

namespace {

struct Help {
    std::string_view command;
    const char* english;
    const char* japanese;
};

constexpr Help kHelp[] = {
    {"", R"(orvelin: the ORVELIN servo programmer for the command line

Usage: orvelin COMMAND [OPTIONS] [ARGUMENTS]
       orvelin --version

Commands:
  term LINE...         run command lines of the servo link (R, w 9 1, f 0 3e8, u FILE ...)
  table [--json]       read all registers: name, address and RAM value
  set REGISTER VALUE   write a RAM value (hexadecimal) and read it back
  clear                clear the servo's settings, as the window's Clear does
  flash FILE           write a FLASH value file into the servo's FLASH memory
  update FILE          upload a firmware update file (*.upd)
  scan                 find the servo IDs that answer
  watch REGISTER...    read registers again and again, one line per sample
  ports                list serial devices and USB latency timers
  config               show or change the port and baud rate in servoconf.ini

Options of every command:
  --port DEVICE   serial device (/dev/ttyUSB0, COM3 on Windows); default: PORT in servoconf.ini
  --baud RATE     baud rate; default: BAUDRATE in servoconf.ini (115200)
  --id HEX        servo ID, 0 to 3F; default 3F
  --wire          show every packet sent and every reply on stderr, with times in ms
  -h, --help      show the help of a command: orvelin COMMAND --help

servoconf.ini lies beside the program when that folder is writable, else in
~/.config/orvelin/; ORVELIN_CONFIG names another file. 'orvelin config' shows which.

Exit status: 0 done, 1 the port cannot be opened, 2 bad arguments or input file,
3 to 7 a failed upload ('orvelin update --help'), 8 no answer from the servo.
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
  scan                 応答するサーボ ID を探します
  watch レジスタ...    レジスタを繰り返し読み出し、1回ごとに1行表示します
  ports                シリアルデバイスと USB レイテンシタイマーを一覧表示します
  config               servoconf.ini のポートとボーレートを表示・変更します

全コマンド共通のオプション:
  --port デバイス  シリアルデバイス (/dev/ttyUSB0、Windows では COM3)。省略時は servoconf.ini の PORT
  --baud 速度      ボーレート。省略時は servoconf.ini の BAUDRATE (115200)
  --id 16進数      サーボ ID (0〜3F)。省略時は 3F
  --wire           送信した全パケットと受信した全応答を時刻 (ms) 付きで標準エラーに表示します
  -h, --help       コマンドの説明を表示します: orvelin コマンド --help

servoconf.ini はプログラムのフォルダーに書き込めればそこに、そうでなければ
~/.config/orvelin/ に置きます。ORVELIN_CONFIG で別のファイルを指定できます。
どれを使っているかは 'orvelin config' で表示します。

終了コード: 0 完了、1 ポートが開けない、2 引数または入力ファイルの誤り、
3〜7 アップデートの失敗 ('orvelin update --help')、8 サーボから応答がない
)"},
    {"term", R"(Usage: orvelin term [--port DEVICE] [--baud RATE] [--id HEX] [--wire] [--] LINE...

Runs each LINE through the servo link's command interpreter, in order, and prints its
trace on stdout. Without LINE it reads command lines from standard input, one per line.
Put -- before lines that start with '-'.

Command lines (numbers in hexadecimal):
  R                  read all registers: a dump and the named values
  w ADDR VALUE       RAM write (w 9 1)
  f ADDR VALUE       FLASH write (f 0 3e8)
  b FROM TO POS EN   position write to the IDs FROM to TO, then the fixed packet
  s                  the fixed packet
  u FILE             upload a firmware update file

Exit status: 0 every line done, 1 the port cannot be opened, 2 bad arguments,
3 an upload failed (the lines after it are not run).
)",
     R"(使い方: orvelin term [--port デバイス] [--baud 速度] [--id 16進数] [--wire] [--] 行...

各行をサーボリンクのコマンドインタプリタで順に実行し、トレースを標準出力に表示します。
行を指定しないときは、標準入力から1行ずつコマンド行を読みます。
'-' で始まる行の前には -- を置いてください。

コマンド行 (数値は16進数):
  R                  全レジスタの読み出し: ダンプと名前付きの値
  w アドレス 値      RAM 書き込み (w 9 1)
  f アドレス 値      FLASH 書き込み (f 0 3e8)
  b FROM TO POS EN   ID FROM〜TO への位置書き込みと固定パケット
  s                  固定パケット
  u ファイル         ファームウェアアップデートファイルの書き込み

終了コード: 0 全行完了、1 ポートが開けない、2 引数の誤り、
3 アップデートの失敗 (以降の行は実行しません)
)"},
    {"table", R"(Usage: orvelin table [--json] [--port DEVICE] [--baud RATE] [--id HEX] [--wire]

Reads all 96 register bytes (the command line R) and prints each register's name,
address and RAM value as the window shows them.
  --json   a JSON array with one object per register, for scripts:
           {"name": "M_POS", "address": 32, "size": 2, "value": 2048}

Exit status: 0 done, 1 the port cannot be opened, 8 no answer from the servo.
)",
     R"(使い方: orvelin table [--json] [--port デバイス] [--baud 速度] [--id 16進数] [--wire]

レジスタ 96 バイトをすべて読み出し (コマンド行 R)、各レジスタの名前、アドレス、
RAM の値をウィンドウと同じ書式で表示します。
  --json   スクリプト向けに、レジスタごとに1つのオブジェクトを持つ JSON 配列を出力します:
           {"name": "M_POS", "address": 32, "size": 2, "value": 2048}

終了コード: 0 完了、1 ポートが開けない、8 サーボから応答がない
)"},
    {"set", R"(Usage: orvelin set REGISTER VALUE [--port DEVICE] [--baud RATE] [--id HEX] [--wire]

Writes VALUE into the register's RAM (the command line w ADDR VALUE), reads the
registers back and prints the value the servo now holds.
  REGISTER   a name (M_POS) or the address of its first byte (0x20)
  VALUE      hexadecimal (3E8 or 0x3E8) that fits the register: up to 7F, 3FFF or
             FFFFFFF for registers of 1, 2 or 4 bytes of 7 bits

Example: orvelin set M_POS 0x800

Exit status: 0 done, 1 the port cannot be opened, 2 unknown register or bad value,
8 no answer from the servo.
)",
     R"(使い方: orvelin set レジスタ 値 [--port デバイス] [--baud 速度] [--id 16進数] [--wire]

値をレジスタの RAM に書き込み (コマンド行 w アドレス 値)、レジスタを読み出して
サーボが保持している値を表示します。
  レジスタ   名前 (M_POS) または先頭バイトのアドレス (0x20)
  値         レジスタに収まる16進数 (3E8 または 0x3E8): 7ビット×1、2、4バイトの
             レジスタでそれぞれ 7F、3FFF、FFFFFFF まで

例: orvelin set M_POS 0x800

終了コード: 0 完了、1 ポートが開けない、2 レジスタまたは値の誤り、8 サーボから応答がない
)"},
    {"clear", R"(Usage: orvelin clear [--yes] [--port DEVICE] [--baud RATE] [--id HEX] [--wire]

Clears the servo's settings as the window's Clear does: sends "f 0 3e8" and the restart
request "w 9 1" (their trace on stdout), then asks you to restart the ORVELIN and press Enter.
  --yes   do not wait for Enter

Exit status: 0 done, 1 the port cannot be opened, 8 no answer from the servo.
)",
     R"(使い方: orvelin clear [--yes] [--port デバイス] [--baud 速度] [--id 16進数] [--wire]

ウィンドウの「クリア」と同じく設定を消去します: "f 0 3e8" と再起動要求 "w 9 1" を送り
(トレースは標準出力)、ORVELINを再起動して Enter を押すよう求めます。
  --yes   Enter を待ちません

終了コード: 0 完了、1 ポートが開けない、8 サーボから応答がない
)"},
    {"flash", R"(Usage: orvelin flash FILE [--dry-run] [--yes] [--port DEVICE] [--baud RATE] [--id HEX] [--wire]

Writes the values staged in a FLASH value file into the servo's FLASH memory, as the
window's Write does after File > Open. The file holds "ROW TEXT" pairs: ROW is the
register's row, 0 to 62 in the order of 'orvelin table', TEXT a value such as 0x03E8.
  1. clears the settings ("f 0 3e8", "w 9 1") and asks you to restart the ORVELIN
     and press Enter,
  2. sends "f ADDR VALUE" for each staged value (its text from the third character on),
  3. sends the restart request "w 9 1".
  --dry-run   print the command lines instead of sending them
  --yes       do not wait for Enter after the clear

Exit status: 0 done, 1 the port cannot be opened, 2 the file cannot be used or the
restart was not confirmed, 8 no answer from the servo.
)",
     R"(使い方: orvelin flash ファイル [--dry-run] [--yes] [--port デバイス] [--baud 速度] [--id 16進数] [--wire]

FLASH 値ファイルの値をサーボの FLASH に書き込みます。ウィンドウで「開く」の後に
「書込み」をしたときと同じです。ファイルは「行 値」の組を持ちます: 行は 'orvelin table'
の順でのレジスタの行 (0〜62)、値は 0x03E8 のような文字列です。
  1. 設定を消去し ("f 0 3e8", "w 9 1")、ORVELINを再起動して Enter を押すよう求めます
  2. 各値について "f アドレス 値" を送ります (値は3文字目から)
  3. 再起動要求 "w 9 1" を送ります
  --dry-run   送信せずにコマンド行を表示します
  --yes       消去後に Enter を待ちません

終了コード: 0 完了、1 ポートが開けない、2 ファイルが使えないか再起動が確認されない、
8 サーボから応答がない
)"},
    {"update", R"(Usage: orvelin update FILE [--port DEVICE] [--baud RATE] [--id HEX] [--wire]

Uploads a firmware update file as the window does: unlocks the servo ("w 14 6a"), sends
the file in 16-byte chunks ("u FILE") and then the restart request ("w 9 1"). The file is
checked before anything is sent: at most 12288 bytes, each below 0x80.
A progress bar goes to stderr when it is a terminal; otherwise the trace prints a dot
for each chunk.

Exit status:
  0  the firmware was written
  1  the port cannot be opened
  3  the update file cannot be opened
  4  the update file is not valid (a byte at or above 0x80, or too long)
  5  no answer from the ORVELIN
  6  the ORVELIN rejected a chunk (checksum)
  7  another error
)",
     R"(使い方: orvelin update ファイル [--port デバイス] [--baud 速度] [--id 16進数] [--wire]

ウィンドウと同じ手順でファームウェアアップデートファイルを書き込みます: ロック解除
("w 14 6a")、16バイトずつの送信 ("u ファイル")、再起動要求 ("w 9 1")。送信の前に
ファイルを検査します: 12288 バイト以内で、すべてのバイトが 0x80 未満であること。
標準エラーが端末なら進捗バーを表示し、そうでなければトレースがチャンクごとに点を表示します。

終了コード:
  0  書き込み完了
  1  ポートが開けない
  3  アップデートファイルを開けない
  4  アップデートファイルが正しくない (0x80 以上のバイト、または長すぎる)
  5  ORVELINから応答がない
  6  ORVELINがチャンクを拒否した (チェックサム)
  7  その他のエラー
)"},
    {"scan", R"(Usage: orvelin scan [--ids LIST] [--baud LIST] [--port DEVICE] [--wire]

Finds the servos that answer on the bus with one short read per ID, and prints the ID,
SYS_PN and SYS_VER of each, with the baud rate it answered at.
  --ids LIST    hexadecimal IDs and ranges: 0-3F (the default), 1,2,5 or 0-7,10
  --baud LIST   baud rates to try: 115200, or 57600,115200 (default: the one in force)

Exit status: 0 a servo answered, 1 the port cannot be opened, 2 bad arguments,
8 no servo answered.
)",
     R"(使い方: orvelin scan [--ids リスト] [--baud リスト] [--port デバイス] [--wire]

ID ごとに短い読み出しを1回行って応答するサーボを探し、それぞれの ID、SYS_PN、
SYS_VER と応答したボーレートを表示します。
  --ids リスト    16進数の ID と範囲: 0-3F (省略時)、1,2,5、0-7,10 など
  --baud リスト   試すボーレート: 115200、57600,115200 など (省略時は現在の設定)

終了コード: 0 応答あり、1 ポートが開けない、2 引数の誤り、8 応答したサーボがない
)"},
    {"watch", R"(Usage: orvelin watch REGISTER... [--interval MS] [--count N] [--csv] [--port DEVICE] [--baud RATE] [--id HEX] [--wire]

Reads the registers again and again and prints one line per sample: the time in seconds
since the start and each value, until Ctrl-C or N samples. A value that did not come
shows as ---- (empty in CSV).
  REGISTER       a name (M_POS) or an address (0x20)
  --interval MS  milliseconds from one sample to the next (default 100)
  --count N      stop after N samples
  --csv          a header line, then the time and the values in decimal, for plotting

Example: orvelin watch M_POS M_SPD --csv --count 50 > motion.csv

Exit status: 0 done, 1 the port cannot be opened, 2 bad arguments.
)",
     R"(使い方: orvelin watch レジスタ... [--interval ミリ秒] [--count 回数] [--csv] [--port デバイス] [--baud 速度] [--id 16進数] [--wire]

レジスタを繰り返し読み出し、1回ごとに1行表示します: 開始からの秒数と各値。
Ctrl-C を押すか指定回数で終わります。届かなかった値は ---- (CSV では空欄) です。
  レジスタ         名前 (M_POS) またはアドレス (0x20)
  --interval ミリ秒  読み出しの間隔 (省略時 100)
  --count 回数     指定回数で終了します
  --csv            見出し行の後に、時刻と10進数の値をカンマ区切りで出力します (グラフ用)

例: orvelin watch M_POS M_SPD --csv --count 50 > motion.csv

終了コード: 0 完了、1 ポートが開けない、2 引数の誤り
)"},
    {"ports", R"(Usage: orvelin ports

Lists the serial devices: the stable names under /dev/serial/by-id first, then
/dev/ttyUSB*, /dev/ttyACM* and /dev/ttyS* (on Windows, the COM ports). For a USB adapter
it shows the latency timer: above 1 ms every reply waits for it, and a hint tells how
to set it to 1 ms.
)",
     R"(使い方: orvelin ports

シリアルデバイスを一覧表示します: まず /dev/serial/by-id の固定名、次に /dev/ttyUSB*、
/dev/ttyACM*、/dev/ttyS* (Windows では COM ポート)。USB アダプタにはレイテンシタイマーを
表示します。1 ms を超えると応答のたびに待ち時間が生じるため、1 ms にする方法を示します。
)"},
    {"config", R"(Usage: orvelin config [--port DEVICE] [--baud RATE]

Shows the configuration file with its PORT and BAUDRATE, which every command uses when
--port or --baud is not given (the keys the window's options dialog writes). With --port
or --baud it stores the new values.

Example: orvelin config --port /dev/ttyUSB0 --baud 115200
)",
     R"(使い方: orvelin config [--port デバイス] [--baud 速度]

設定ファイルとその PORT、BAUDRATE を表示します。--port や --baud を省略したとき、
各コマンドはこの値を使います (ウィンドウのオプションダイアログが書くのと同じキーです)。
--port または --baud を指定すると、その値を保存します。

例: orvelin config --port /dev/ttyUSB0 --baud 115200
)"},
};

}  // namespace

const char* helpText(std::string_view command)
{
    for (const Help& help : kHelp)
        if (help.command == command)
            return japanese() ? help.japanese : help.english;
    return "";
}
