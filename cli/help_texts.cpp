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
  save FILE            save the servo's values as a FLASH value file
  diff [FILE]          show the registers whose values differ (servo and file, or servos)
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
)"},
    {"term", R"(Usage: orvelin term [--strict] [--port DEVICE] [--baud RATE] [--id HEX] [--wire] [--] LINE...

Runs each LINE through the servo link's command interpreter, in order, and prints its
trace on stdout, as the window's command field does. Without LINE it reads command lines
from standard input, one per line (blank lines are skipped). Put -- before lines that
start with '-'. The interpreter takes some lines in silence; term writes a note on stderr
for each line that sends nothing (and why), for a value too wide for its register (the
register keeps the low bits), and for each reply that does not come whole.
  --strict   take every note as an error: stop there with exit status 2; a line whose
             note comes before it is not sent

Command lines (numbers in hexadecimal):
  R                  read all registers: a dump and the named values
  w ADDR VALUE       RAM write (w 9 1)
  f ADDR VALUE       FLASH write (f 0 3e8)
  b FROM TO POS EN   position write to the IDs FROM to TO, then the fixed packet
  s                  the fixed packet
  u FILE             upload a firmware update file

Exit status: 0 every line ran (notes or not), 1 the port cannot be opened, 2 bad
arguments, or with --strict a line with a note, 3 an upload failed (the lines after it
are not run).
)",
     R"(使い方: orvelin term [--strict] [--port デバイス] [--baud 速度] [--id 16進数] [--wire] [--] 行...

各行をウィンドウのコマンド欄と同じくサーボリンクのコマンドインタプリタで順に実行し、
トレースを標準出力に表示します。行を指定しないときは、標準入力から1行ずつコマンド行を
読みます (空の行は飛ばします)。'-' で始まる行の前には -- を置いてください。インタプリタが
黙って受け流す行について、term は標準エラーに注意を表示します: 何も送信しない行 (と理由)、
レジスタに収まらない値 (下位ビットだけが書き込まれます)、完全に届かなかった応答。
  --strict   注意をすべて誤りとして扱い、終了コード 2 で止めます。送信前に注意が出た行は
             送信しません

コマンド行 (数値は16進数):
  R                  全レジスタの読み出し: ダンプと名前付きの値
  w アドレス 値      RAM 書き込み (w 9 1)
  f アドレス 値      FLASH 書き込み (f 0 3e8)
  b FROM TO POS EN   ID FROM〜TO への位置書き込みと固定パケット
  s                  固定パケット
  u ファイル         ファームウェアアップデートファイルの書き込み

終了コード: 0 全行を実行 (注意の有無を問わず)、1 ポートが開けない、2 引数の誤り、
または --strict で注意が出た、3 アップデートの失敗 (以降の行は実行しません)
)"},
    {"table", R"(Usage: orvelin table [--json] [--keep-going] [--port DEVICE] [--baud RATE] [--id HEX|LIST|all] [--wire]

Reads all 96 register bytes (the command line R) and prints each register's name,
address and RAM value as the window shows them; for a list of IDs, one value column per
servo.
  --json         a JSON array with one object per register, for scripts:
                 {"name": "M_POS", "address": 32, "size": 2, "value": 2048}; for a list of
                 IDs, one object per servo: {"id": 1, "registers": [...]}
  --keep-going   for a list, show the servos that answered whole even when one did not

A reply with bytes missing, or with stray bytes after it, shows no values at all.

Exit status: 0 done, 1 the port cannot be opened, 2 bad arguments or no port configured,
8 no answer from the servo, 9 a reply with bytes missing or extra.
)",
     R"(使い方: orvelin table [--json] [--keep-going] [--port デバイス] [--baud 速度] [--id 16進数|リスト|all] [--wire]

レジスタ 96 バイトをすべて読み出し (コマンド行 R)、各レジスタの名前、アドレス、
RAM の値をウィンドウと同じ書式で表示します。ID のリストでは、サーボごとに値の列を
表示します。
  --json         スクリプト向けに、レジスタごとに1つのオブジェクトを持つ JSON 配列を
                 出力します: {"name": "M_POS", "address": 32, "size": 2, "value": 2048}。
                 ID のリストでは、サーボごとに1つ: {"id": 1, "registers": [...]}
  --keep-going   リストで応答しないサーボがあっても、完全に応答したサーボを表示します

応答のバイトが足りないか、応答の後に余分なバイトがあるときは、値を何も表示しません。

終了コード: 0 完了、1 ポートが開けない、2 引数の誤りかポートが設定されていない、
8 サーボから応答がない、9 応答のバイトが足りないか余分なバイトがある
)"},
    {"set", R"(Usage: orvelin set REGISTER VALUE [--keep-going] [--port DEVICE] [--baud RATE] [--id HEX|LIST|all] [--wire]

Writes VALUE into the register's RAM (the command line w ADDR VALUE), reads the
registers back and prints the value the servo now holds, which must be VALUE.
  REGISTER   a name (M_POS) or the address of its first byte (0x20)
  VALUE      hexadecimal (3E8 or 0x3E8) that fits the register: up to 7F, 3FFF or
             FFFFFFF for registers of 1, 2 or 4 bytes of 7 bits

  --keep-going   for a list of IDs, go on after a servo that failed
For a list of IDs each servo is written in turn, with a line for each and a summary;
the run stops at the first failure unless --keep-going, and the status is the first
failure's.

Example: orvelin set M_POS 0x800
         orvelin set PWM_EN 1 --id 1-12

Exit status: 0 done, 1 the port cannot be opened, 2 unknown register or bad value,
8 no answer from the servo, 9 a reply with bytes missing or extra, 10 the register does
not read back VALUE (the servo did not take it, or changed it at once).
)",
     R"(使い方: orvelin set レジスタ 値 [--keep-going] [--port デバイス] [--baud 速度] [--id 16進数|リスト|all] [--wire]

値をレジスタの RAM に書き込み (コマンド行 w アドレス 値)、レジスタを読み出して
サーボが保持している値を表示します。その値は書き込んだ値でなければなりません。
  レジスタ   名前 (M_POS) または先頭バイトのアドレス (0x20)
  値         レジスタに収まる16進数 (3E8 または 0x3E8): 7ビット×1、2、4バイトの
             レジスタでそれぞれ 7F、3FFF、FFFFFFF まで

  --keep-going   ID のリストで、失敗したサーボがあっても続けます
ID のリストでは各サーボに順に書き込み、サーボごとの行とまとめを表示します。
--keep-going がなければ最初の失敗で止まり、終了コードは最初の失敗のものです。

例: orvelin set M_POS 0x800
    orvelin set PWM_EN 1 --id 1-12

終了コード: 0 完了、1 ポートが開けない、2 レジスタまたは値の誤り、8 サーボから応答がない、
9 応答のバイトが足りないか余分なバイトがある、10 読み出した値が書き込んだ値と違う
(サーボが受け付けなかったか、すぐに変えた)
)"},
    {"clear", R"(Usage: orvelin clear [--yes] [--keep-going] [--port DEVICE] [--baud RATE] [--id HEX|LIST|all] [--wire]

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
)"},
    {"flash", R"(Usage: orvelin flash FILE [--dry-run] [--yes] [--keep-going] [--allow-id-change] [--port DEVICE] [--baud RATE] [--id HEX|LIST|all] [--wire]

Writes the values staged in a FLASH value file into the servo's FLASH memory, as the
window's Write does after File > Open. The file is checked whole before anything is sent:
each line is "ROW VALUE" (as the window saves it), ROW the register's row, 0 to 62 in the
order of 'orvelin table', VALUE 0x and hexadecimal digits that fit the register, such as
18 0x03E8; each row once, at least one value. Then it
  1. clears the settings ("f 0 3e8", "w 9 1") and asks you to restart the ORVELIN
     and press Enter,
  2. sends "f ADDR VALUE" for each staged value; each must be answered and accepted,
  3. sends the restart request "w 9 1" and reads the registers back: each value written
     must be there.
For a list of IDs (a whole robot): every listed servo must answer first; each is
cleared; you are asked once to restart them all; then each one in turn gets the values,
its restart request and its read back, with a line for each servo and a summary. The run
stops at the first failure unless --keep-going; the status is the first failure's.
A file that stages SYS_SID (the servo's ID, as 'orvelin save' writes it) is written only
to the servo with that ID, unless --allow-id-change.
  --dry-run           print the command lines instead of sending them
  --yes               do not wait for Enter after the clear (needed when standard input
                      is not a terminal: without a way to ask, nothing is cleared)
  --keep-going        for a list, go on without a servo that does not answer or fails
  --allow-id-change   write a staged SYS_SID even where it changes the servo's ID

Example: orvelin save arm.txt --id 1 --registers FB_,PWM_
         orvelin flash arm.txt --id 2-6

Exit status: 0 done, 1 the port cannot be opened, 2 the file cannot be used, no terminal
to ask on and no --yes, or the restart was not confirmed, 8 no answer from the servo,
9 a reply with bytes missing or extra, 10 a value the servo refused or that does not read
back.
)",
     R"(使い方: orvelin flash ファイル [--dry-run] [--yes] [--keep-going] [--allow-id-change] [--port デバイス] [--baud 速度] [--id 16進数|リスト|all] [--wire]

FLASH 値ファイルの値をサーボの FLASH に書き込みます。ウィンドウで「開く」の後に
「書込み」をしたときと同じです。何かを送信する前にファイル全体を検査します: 各行は
ウィンドウが保存する「行 値」の形で、行は 'orvelin table' の順でのレジスタの行 (0〜62)、
値は 0x とレジスタに収まる16進数です (例: 18 0x03E8)。各行は1回だけ、値は1つ以上。
その後、
  1. 設定を消去し ("f 0 3e8", "w 9 1")、ORVELINを再起動して Enter を押すよう求めます
  2. 各値について "f アドレス 値" を送ります。どの値も応答があり、受け付けられること
  3. 再起動要求 "w 9 1" を送り、レジスタを読み出します。書き込んだ値がすべてあること
ID のリスト (ロボット全体) では、まず全サーボが応答すること。各サーボを消去し、まとめて
1回再起動を確認してから、サーボごとに値、再起動要求、読み出し確認を行い、サーボごとの行と
まとめを表示します。--keep-going がなければ最初の失敗で止まり、終了コードは最初の失敗の
ものです。SYS_SID (サーボの ID。'orvelin save' が書きます) を含むファイルは、その ID の
サーボにだけ書き込みます (--allow-id-change を除く)。
  --dry-run           送信せずにコマンド行を表示します
  --yes               消去後に Enter を待ちません (標準入力が端末でないときに必要です。
                      確認できないときは何も消去しません)
  --keep-going        リストで、応答しないか失敗したサーボを除いて続けます
  --allow-id-change   サーボの ID が変わるときも SYS_SID を書き込みます

例: orvelin save arm.txt --id 1 --registers FB_,PWM_
    orvelin flash arm.txt --id 2-6

終了コード: 0 完了、1 ポートが開けない、2 ファイルが使えない、確認する端末も --yes も
ない、または再起動が確認されない、8 サーボから応答がない、9 応答のバイトが足りないか
余分なバイトがある、10 サーボが受け付けなかった値、または読み出せない値がある
)"},
    {"update", R"(Usage: orvelin update FILE [--keep-going] [--port DEVICE] [--baud RATE] [--id HEX|LIST|all] [--wire]

Uploads a firmware update file as the window does: unlocks the servo ("w 14 6a"), sends
the file in 16-byte chunks ("u FILE") and then the restart request ("w 9 1"). The file is
checked before anything is sent: at most 12288 bytes, each below 0x80.
A progress bar goes to stderr when it is a terminal; otherwise the trace prints a dot
for each chunk.

Ctrl-C (or SIGTERM) stops the upload between two chunks and says how far it got; the
firmware is then incomplete, and the update must be run again.
For a list of IDs the servos are updated in turn, each with its line and progress, and a
summary ends the run; it stops at the first failure unless --keep-going (an interrupt
always stops it), and the status is the first failure's.

Exit status:
  0    the firmware was written
  1    the port cannot be opened
  2    bad arguments or no port configured
  3    the update file cannot be opened: missing, not a plain file, or its path too long
  4    the update file is not valid (empty, a byte at or above 0x80, or too long)
  5    no answer from the ORVELIN
  6    the ORVELIN rejected a chunk (checksum)
  130  stopped by Ctrl-C (143: by SIGTERM)
)",
     R"(使い方: orvelin update ファイル [--keep-going] [--port デバイス] [--baud 速度] [--id 16進数|リスト|all] [--wire]

ウィンドウと同じ手順でファームウェアアップデートファイルを書き込みます: ロック解除
("w 14 6a")、16バイトずつの送信 ("u ファイル")、再起動要求 ("w 9 1")。送信の前に
ファイルを検査します: 12288 バイト以内で、すべてのバイトが 0x80 未満であること。
標準エラーが端末なら進捗バーを表示し、そうでなければトレースがチャンクごとに点を表示します。

Ctrl-C (または SIGTERM) はチャンクの間でアップデートを止め、どこまで進んだかを表示します。
ファームウェアは不完全になるため、アップデートをもう一度実行してください。
ID のリストでは、サーボを順に、それぞれの行と進捗とともにアップデートし、最後にまとめを
表示します。--keep-going がなければ最初の失敗で止まり (中断は常に止めます)、終了コードは
最初の失敗のものです。

終了コード:
  0    書き込み完了
  1    ポートが開けない
  2    引数の誤りかポートが設定されていない
  3    アップデートファイルを開けない (ない、通常のファイルでない、パスが長すぎる)
  4    アップデートファイルが正しくない (空、0x80 以上のバイト、または長すぎる)
  5    ORVELINから応答がない
  6    ORVELINがチャンクを拒否した (チェックサム)
  130  Ctrl-C で中断 (SIGTERM では 143)
)"},
    {"save", R"(Usage: orvelin save FILE [--registers LIST] [--port DEVICE] [--baud RATE] [--id HEX] [--wire]

Reads the servo now and writes its values as a FLASH value file, one "ROW 0x..." line per
register in the window's texts, so either window loads it and 'orvelin flash FILE --id ...'
copies it to other servos. The file is written whole or not at all (a new file renamed
over the old one).
  --registers LIST   only these: names and group prefixes, such as FB_,PWM_,SYS_BR;
                     without it every register is saved (SYS_SID, the ID, among them)

Example: orvelin save arm.txt --id 1 --registers FB_,PWM_

Exit status: 0 saved, 1 the port cannot be opened, 2 bad arguments, no port configured, or
the file cannot be written, 8 no answer from the servo, 9 a reply with bytes missing or
extra.
)",
     R"(使い方: orvelin save ファイル [--registers リスト] [--port デバイス] [--baud 速度] [--id 16進数] [--wire]

サーボの現在の値を読み出し、レジスタごとに「行 0x...」の1行をウィンドウの書式で持つ FLASH
値ファイルに書きます。どちらのウィンドウでも開け、'orvelin flash ファイル --id ...' で他の
サーボに写せます。ファイルは完全に書くか、まったく書きません (新しいファイルを書いて
置き換えます)。
  --registers リスト   これらだけ: FB_,PWM_,SYS_BR のような名前とグループの接頭辞。
                       省略時は全レジスタ (ID である SYS_SID を含む) を保存します

例: orvelin save arm.txt --id 1 --registers FB_,PWM_

終了コード: 0 保存した、1 ポートが開けない、2 引数の誤り、ポートが設定されていない、
またはファイルに書き込めない、8 サーボから応答がない、9 応答のバイトが足りないか
余分なバイトがある
)"},
    {"diff", R"(Usage: orvelin diff [FILE] [--with HEX] [--registers LIST] [--json] [--port DEVICE] [--baud RATE] [--id HEX|LIST|all] [--wire]

Shows the registers whose values differ, with the value on each side:
  orvelin diff FILE               the servo (--id) against the values a FLASH value file stages
  orvelin diff --id 1 --with 2    servo 1 against servo 2
  orvelin diff --id all           every servo that answers against the first
  --registers LIST   compare only these: names and group prefixes, such as FB_,PWM_
  --json             {"reference": "file", "differences": [{"name": "M_POS", "address": 32,
                     "size": 2, "values": {"file": 1000, "01": 2048}}]}
Live readings (M_POS, M_TEMP, ...) and each servo's own SYS_UID and SYS_SID differ between
servos by nature: --registers keeps them out.

Exit status: 0 nothing differs, 1 the port cannot be opened, 2 bad arguments, a file that
cannot be used, or no port configured, 8 no answer from a servo, 9 a reply with bytes
missing or extra, 11 registers differ.
)",
     R"(使い方: orvelin diff [ファイル] [--with 16進数] [--registers リスト] [--json] [--port デバイス] [--baud 速度] [--id 16進数|リスト|all] [--wire]

値の違うレジスタを、それぞれの側の値とともに表示します:
  orvelin diff ファイル           サーボ (--id) と FLASH 値ファイルの値
  orvelin diff --id 1 --with 2    サーボ 1 とサーボ 2
  orvelin diff --id all           応答する全サーボと最初のサーボ
  --registers リスト   これらだけを比べます: FB_,PWM_ のような名前とグループの接頭辞
  --json             {"reference": "file", "differences": [{"name": "M_POS", "address": 32,
                     "size": 2, "values": {"file": 1000, "01": 2048}}]}
計測値 (M_POS、M_TEMP など) と各サーボ固有の SYS_UID、SYS_SID はサーボごとに違うのが
当然です。--registers で除いてください。

終了コード: 0 違いなし、1 ポートが開けない、2 引数の誤り、使えないファイル、または
ポートが設定されていない、8 サーボから応答がない、9 応答のバイトが足りないか余分な
バイトがある、11 違うレジスタがある
)"},
    {"scan", R"(Usage: orvelin scan [--ids LIST] [--baud LIST] [--port DEVICE] [--wire]

Finds the servos that answer on the bus with one short read per ID, and prints the ID,
SYS_PN and SYS_VER of each, with the baud rate it answered at.
  --ids LIST    hexadecimal IDs and ranges: 0-3F (the default), 1,2,5 or 0-7,10
  --baud LIST   baud rates to try: 115200, or 57600,115200 (default: the one in force)

On a terminal a line on stderr shows which ID is being tried.

Exit status: 0 a servo answered, 1 the port cannot be opened, 2 bad arguments or no port
configured, 8 no servo answered.
)",
     R"(使い方: orvelin scan [--ids リスト] [--baud リスト] [--port デバイス] [--wire]

ID ごとに短い読み出しを1回行って応答するサーボを探し、それぞれの ID、SYS_PN、
SYS_VER と応答したボーレートを表示します。
  --ids リスト    16進数の ID と範囲: 0-3F (省略時)、1,2,5、0-7,10 など
  --baud リスト   試すボーレート: 115200、57600,115200 など (省略時は現在の設定)

端末では、試している ID を標準エラーの1行に表示します。

終了コード: 0 応答あり、1 ポートが開けない、2 引数の誤りかポートが設定されていない、
8 応答したサーボがない
)"},
    {"watch", R"(Usage: orvelin watch REGISTER... [--interval MS] [--count N] [--csv | --plot] [--svg FILE] [--port DEVICE] [--baud RATE] [--id HEX|LIST|all] [--wire]

Reads the registers again and again and prints one line per sample: the time in seconds
since the start and each value, until Ctrl-C or N samples. A sample with bytes missing
or stray bytes after it is not shown: watching stops there.
  REGISTER       a name (M_POS) or an address (0x20)
  --interval MS  milliseconds from one sample to the next (default 100)
  --count N      stop after N samples
  --csv          a header line, then the time and the values in decimal, for plotting
  --plot         instead of the lines, a live chart on the terminal: one line of braille
                 dots per register, the values on a common scale that follows them, time
                 along the bottom, and a legend with each register's current value. It
                 follows the terminal's size, works over SSH, and stays on the screen at
                 the end. NO_COLOR=1 draws dashed lines instead of colours.
  --svg FILE     when watching ends (Ctrl-C, N samples, a sample that stops it, or the
                 port going away), write the whole run to FILE as an SVG chart; FILE is
                 replaced whole or not at all
For a list of IDs each sample reads every servo; the columns (and the chart's lines) are
named 01:M_POS, 02:M_POS.

Example: orvelin watch M_POS M_SPD --plot --svg motion.svg

Exit status: 0 done, 1 the port cannot be opened, 2 bad arguments, no port configured
or the chart could not be written, 8 no answer from the servo, 9 a sample with bytes
missing or extra.
)",
     R"(使い方: orvelin watch レジスタ... [--interval ミリ秒] [--count 回数] [--csv | --plot] [--svg ファイル] [--port デバイス] [--baud 速度] [--id 16進数|リスト|all] [--wire]

レジスタを繰り返し読み出し、1回ごとに1行表示します: 開始からの秒数と各値。
Ctrl-C を押すか指定回数で終わります。バイトが足りないか余分なバイトがあるサンプルは
表示せず、そこで終わります。
  レジスタ         名前 (M_POS) またはアドレス (0x20)
  --interval ミリ秒  読み出しの間隔 (省略時 100)
  --count 回数     指定回数で終了します
  --csv            見出し行の後に、時刻と10進数の値をカンマ区切りで出力します (グラフ用)
  --plot           行の代わりに端末にグラフを表示します: レジスタごとに点字の点で1本の線、
                   値に合わせて変わる共通の目盛り、下に時間、各レジスタの現在値を示す凡例。
                   端末の大きさに合わせ、SSH 越しでも使え、終了後も画面に残ります。
                   NO_COLOR=1 のときは色の代わりに破線で区別します。
  --svg ファイル   監視の終了時 (Ctrl-C、指定回数、サンプルの誤りで終わったとき、ポートが
                   失われたとき) に、全体を SVG のグラフとしてファイルに書き込みます。
                   ファイルは全体が置き換わるか、そのままです
ID のリストでは各サンプルで全サーボを読み、列名 (とグラフの線の名前) は 01:M_POS、
02:M_POS のようになります。

例: orvelin watch M_POS M_SPD --plot --svg motion.svg

終了コード: 0 完了、1 ポートが開けない、2 引数の誤りかポートが設定されていないか
グラフを書き込めない、8 サーボから応答がない、9 バイトが足りないか余分なバイトがあるサンプル
)"},
    {"ports", R"(Usage: orvelin ports [--port DEVICE]

Lists the serial devices: the stable names under /dev/serial/by-id first, then
/dev/ttyUSB*, /dev/ttyACM* and /dev/ttyS* (on Windows, the COM ports). For a USB adapter
it shows the latency timer: above 1 ms every reply waits for it, and a hint tells how
to set it to 1 ms.

Last, for the port in force (--port, or PORT in servoconf.ini) and only for it, whether
the driver takes low latency while orvelin holds the port: "on" (replies are passed on
at once, whatever the latency timer), "not supported by this driver", or "not available
on this system". The listed devices are not opened: opening a port resets some boards.

Exit status: 0 done, 2 bad arguments.
)",
     R"(使い方: orvelin ports [--port デバイス]

シリアルデバイスを一覧表示します: まず /dev/serial/by-id の固定名、次に /dev/ttyUSB*、
/dev/ttyACM*、/dev/ttyS* (Windows では COM ポート)。USB アダプタにはレイテンシタイマーを
表示します。1 ms を超えると応答のたびに待ち時間が生じるため、1 ms にする方法を示します。

最後に、使用するポート (--port または servoconf.ini の PORT) についてだけ、orvelin が
ポートを開いている間ドライバーが低レイテンシに切り替わるかを表示します: 「有効」(レイテンシ
タイマーにかかわらず応答をすぐに受け取ります)、「このドライバーは対応していません」、
「このシステムでは使えません」。一覧のデバイスは開きません (ポートを開くとリセットされる
ボードがあるためです)。

終了コード: 0 完了、2 引数の誤り
)"},
    {"config", R"(Usage: orvelin config [--port DEVICE] [--baud RATE]

Shows the configuration file with its PORT and BAUDRATE, which every command uses when
--port or --baud is not given (the keys the window's options dialog writes). With --port
or --baud it stores the new values.

Example: orvelin config --port /dev/ttyUSB0 --baud 115200

Exit status: 0 done, 2 a value no command could use, or the file cannot be written.
)",
     R"(使い方: orvelin config [--port デバイス] [--baud 速度]

設定ファイルとその PORT、BAUDRATE を表示します。--port や --baud を省略したとき、
各コマンドはこの値を使います (ウィンドウのオプションダイアログが書くのと同じキーです)。
--port または --baud を指定すると、その値を保存します。

例: orvelin config --port /dev/ttyUSB0 --baud 115200

終了コード: 0 完了、2 使えない値、またはファイルに書き込めない
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
