// orvelin term: raw command lines through the interpreter, trace on stdout,
// and a note on stderr for what the interpreter takes in silence.
#include "cli/console/port_notes.h"
#include "cli/exit_codes.h"
#include "cli/line_notes.h"
#include "cli/outcomes.h"
#include "cli/port_setup.h"
#include "cli/subcommands.h"
#include "cli/texts/messages.h"
#include "link/lasterror.h"
#include "link/port_settings.h"
#include "link/registers.h"
#include "link/serial.h"
#include "link/term.h"
#include "ops/bus/bus_access.h"
#include "ops/command_lines.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

namespace {

// The port in force as people write it, for the messages about it.
std::string portName;

struct TermArgs : CommonArgs {
    bool strict = false;
};

constexpr Option<TermArgs> kOptions[] = {
    {"--strict", &TermArgs::strict, {},
     {"take every note as an error: stop there with exit status 2; a line whose\n"
      "note comes before it is not sent",
      "注意をすべて誤りとして扱い、終了コード 2 で止めます。送信前に注意が出た行は\n"
      "送信しません"}},
};

constexpr CommandHelp kHelp = {
    .common = kServoOptions,
    .argumentsLast = true,
    .english = {
        .arguments = "[--] LINE...",
        .intro = R"(Runs each LINE through the servo link's command interpreter, in order, and prints its
trace on stdout, as the window's command field does. Without LINE it reads command lines
from standard input, one per line (blank lines are skipped). Put -- before lines that
start with '-'. The interpreter takes some lines in silence; term writes a note on stderr
for each line that sends nothing (and why), for a value too wide for its register (the
register keeps the low bits), and for each reply that does not come whole.
)",
        .outro = R"(
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
    },
    .japanese = {
        .arguments = "[--] 行...",
        .intro = R"(各行をウィンドウのコマンド欄と同じくサーボリンクのコマンドインタプリタで順に実行し、
トレースを標準出力に表示します。行を指定しないときは、標準入力から1行ずつコマンド行を
読みます (空の行は飛ばします)。'-' で始まる行の前には -- を置いてください。インタプリタが
黙って受け流す行について、term は標準エラーに注意を表示します: 何も送信しない行 (と理由)、
レジスタに収まらない値 (下位ビットだけが書き込まれます)、完全に届かなかった応答。
)",
        .outro = R"(
コマンド行 (数値は16進数):
  R                  全レジスタの読み出し: ダンプと名前付きの値
  w アドレス 値      RAM 書き込み (w 9 1)
  f アドレス 値      FLASH 書き込み (f 0 3e8)
  b FROM TO POS EN   ID FROM〜TO への位置書き込みと固定パケット
  s                  固定パケット
  u ファイル         ファームウェアアップデートファイルの書き込み

終了コード: 0 全行を実行 (注意の有無を問わず)、1 ポートが開けない、2 引数の誤り、
または --strict で注意が出た、3 アップデートの失敗 (以降の行は実行しません)
)",
    },
};

bool fitsBuffer(const std::string& line)
{
    if (line.size() <= static_cast<std::size_t>(kCommandTextMax))
        return true;
    complain(Msg::LineTooLong, kCommandTextMax);
    return false;
}

void tell(const std::vector<std::string>& notes)
{
    std::fflush(stdout);
    for (const std::string& note : notes)
        std::fprintf(stderr, "orvelin: %s\n", note.c_str());
}

// A failed upload stops the run: the lines after it (typically the restart
// request) assume it succeeded. Under --strict so does any note, and a line
// whose note comes before it is not sent at all.
int runOne(const std::string& line, bool strict)
{
    const TermLine parsed = parseTermLine(line.c_str());
    std::vector<std::string> before = lineNotes(line, parsed);
    tell(before);
    if (strict && !before.empty())
        return kExitUsage;
    if (sendLine(term, line) != 0) {
        complain(Msg::LineFailed, line.c_str(), text(uploadOutcome(failedUpdateOutcome(GetLastError())).text));
        return kExitUploadOpen;
    }
    std::vector<std::string> notes = replyNotes(line, parsed, termReplies());
    tell(notes);
    noteEcho(portName, std::ranges::any_of(termReplies(), &TermReply::echoed));
    return strict && !notes.empty() ? kExitUsage : kExitOk;
}

// The interpreter opens the port in force for every line: the choice
// becomes it, as the window's Connect makes it, and the ID with it.
bool putInForce(const PortChoice& choice)
{
#ifdef _WIN32
    constexpr std::string_view kDevicePrefix = "\\\\.\\";
    const std::string path = choice.port.starts_with(kDevicePrefix) ? choice.port : std::string(kDevicePrefix) + choice.port;
#else
    const std::string& path = choice.port;
#endif
    if (path.size() >= kComPortNameSize) {
        complain(Msg::PortTooLong, choice.port.c_str());
        return false;
    }
    std::memcpy(comPortName, path.c_str(), path.size() + 1);
    baudRate = choice.baud;
    SendID = choice.id;
    portName = choice.port;
    // A port that cannot be opened ends the run, as it ends the window.
    set_errexit_handler([](const char*) {
        SerialError error = serial_last_error();
        reportOpenFailure(portName, baudRate, orvelin::portErrorFrom(error.failure), error.systemCode);
    });
    return true;
}

int runTerm(const TermArgs& args)
{
    for (const std::string& line : args.positional)
        if (!fitsBuffer(line))
            return kExitUsage;
    int status = kExitOk;
    auto choice = choosePort(args, status);
    if (!choice)
        return status;
    if (!putInForce(*choice))
        return kExitUsage;
    warnAboutLatency(choice->port);
    bool strict = args.strict;

    if (!args.positional.empty()) {
        for (const std::string& line : args.positional)
            if (int status = runOne(line, strict); status != kExitOk)
                return status;
        return kExitOk;
    }
    // Blank lines in a script are layout, not commands.
    std::string line;
    while (std::getline(std::cin, line)) {
        if (line.ends_with('\r'))
            line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos)
            continue;
        if (!fitsBuffer(line))
            return kExitUsage;
        if (int status = runOne(line, strict); status != kExitOk)
            return status;
    }
    return kExitOk;
}

}  // namespace

const Subcommand termCommand = subcommand<TermArgs, kOptions, runTerm>("term", kHelp);
