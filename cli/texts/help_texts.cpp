#include "cli/texts/help_texts.h"

#include "cli/options.h"
#include "cli/subcommands.h"
#include "cli/texts/messages.h"

#include <algorithm>

namespace {

// orvelin's help, around the list of the common options.
struct OverviewPage {
    std::string_view summary;
    std::string_view synopsis[2];
    std::string_view intro;
    std::string_view outro;
    ListLayout layout = {};
};

constexpr OverviewPage kEnglishOverview = {
    .summary = "the ORVELIN servo programmer for the command line",
    .synopsis = {"orvelin COMMAND [OPTIONS] [ARGUMENTS]", "orvelin --version"},
    .intro = R"(Commands:
  term LINE...         run command lines of the servo link (R, w 9 1, f 0 3e8, u FILE ...)
  table [--json]       read all registers: name, address and RAM value
  set REGISTER VALUE   write a RAM value (hexadecimal) and read it back
  clear                clear the servo's settings, as the window's Clear does
  flash FILE           write a FLASH value file into the servo's FLASH memory
  update FILE          upload a firmware update file (*.upd)
  save FILE            save the servo's values as a FLASH value file
  diff [FILE]          show the registers whose values differ (servo and file, or servos)
  backups              list the backups clear, flash and update take, newest first
  restore FILE         write a backup's settings back where the servo's differ
  scan                 find the servo IDs that answer
  watch REGISTER...    read registers again and again: lines, CSV, a live chart, an SVG
  ports                list serial devices, USB latency timers and low latency
  config               show or change the port and baud rate in servoconf.ini
  help [COMMAND]       show this help, or a command's

Options of every command:
)",
    .outro = R"(
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
};

constexpr OverviewPage kJapaneseOverview = {
    .summary = "ORVELIN サーボのコマンドライン版プログラマ",
    .synopsis = {"orvelin コマンド [オプション] [引数]", "orvelin --version"},
    .intro = R"(コマンド:
  term 行...           サーボリンクのコマンド行を実行します (R, w 9 1, f 0 3e8, u ファイル ...)
  table [--json]       全レジスタを読み出します: 名前、アドレス、RAM の値
  set レジスタ 値      RAM に値 (16進数) を書き込み、読み出して確認します
  clear                ウィンドウの「クリア」と同じく設定を消去します
  flash ファイル       FLASH 値ファイルをサーボの FLASH に書き込みます
  update ファイル      ファームウェアアップデートファイル (*.upd) を書き込みます
  save ファイル        サーボの値を FLASH 値ファイルに保存します
  diff [ファイル]      値の違うレジスタを表示します (サーボとファイル、またはサーボ同士)
  backups              clear、flash、update が取ったバックアップを新しい順に表示します
  restore ファイル     バックアップの設定のうちサーボと違うものを書き戻します
  scan                 応答するサーボ ID を探します
  watch レジスタ...    レジスタを繰り返し読み出します: 行、CSV、ライブチャート、SVG
  ports                シリアルデバイス、USB レイテンシタイマー、低遅延を表示します
  config               servoconf.ini のポートとボーレートを表示・変更します
  help [コマンド]      この説明、またはコマンドの説明を表示します

全コマンド共通のオプション:
)",
    .outro = R"(
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
)",
    .layout = {.gap = 2},
};

const OverviewPage& overviewIn(Language language)
{
    return language == Language::japanese ? kJapaneseOverview : kEnglishOverview;
}

const HelpPage& pageIn(const CommandHelp& help, Language language)
{
    return language == Language::japanese ? help.japanese : help.english;
}

// Columns on a terminal. The texts are English and Japanese: a character
// of three or four bytes in UTF-8 (kana, kanji, full-width forms) takes two.
std::size_t displayWidth(std::string_view text)
{
    std::size_t width = 0;
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) != 0x80)  // a character's first byte
            width += byte >= 0xE0 ? 2 : 1;
    }
    return width;
}

// "--port DEVICE"
std::string withMetavar(const OptionDoc& option, Language language)
{
    std::string text(option.name);
    if (!option.metavar.empty())
        text.append(" ").append(option.metavar.in(language));
    return text;
}

// "--port DEVICE", "-h, --help"
std::string label(const OptionDoc& option, Language language)
{
    std::string text(option.shortName);
    if (!text.empty())
        text += ", ";
    return text + withMetavar(option, language);
}

// "  --yes          do not wait for Enter": the options that have a help,
// each with its label.
std::string optionList(std::span<const OptionDoc> options, Language language, ListLayout layout)
{
    constexpr std::size_t kIndent = 2;
    std::size_t column = layout.column;
    if (column == 0)
        for (const OptionDoc& option : options)
            if (!option.help.empty())
                column = std::max(column, kIndent + displayWidth(label(option, language)) + layout.gap);
    std::string list;
    for (const OptionDoc& option : options) {
        if (option.help.empty())
            continue;
        std::string name = label(option, language);
        std::size_t width = kIndent + displayWidth(name);
        list.append(kIndent, ' ').append(name).append(std::max(layout.gap, column > width ? column - width : 0), ' ');
        // A help of several lines goes on in the same column.
        std::string_view help = option.help.in(language);
        for (std::size_t end; (end = help.find('\n')) != std::string_view::npos;) {
            list.append(help.substr(0, end + 1)).append(column, ' ');
            help.remove_prefix(end + 1);
        }
        list.append(help).append("\n");
    }
    return list;
}

std::string_view usagePrefix(Language language)
{
    return language == Language::japanese ? "使い方: " : "Usage: ";
}

// " [--port DEVICE]", or " | --plot" into the brackets before.
void appendUsage(std::string& line, const OptionDoc& option, Language language)
{
    std::string word = withMetavar(option, language);
    if (option.orPrevious && line.ends_with(']'))
        line.insert(line.size() - 1, " | " + word);
    else
        line.append(" [").append(word).append("]");
}

// "Usage: orvelin clear [--yes] ...", without a line end.
std::string usageLine(const Subcommand& command, Language language)
{
    const HelpPage& page = pageIn(command.help, language);
    std::string line(usagePrefix(language));
    line.append("orvelin ").append(command.name);
    if (!page.arguments.empty() && !command.help.argumentsLast)
        line.append(" ").append(page.arguments);
    for (const OptionDoc& option : command.options)
        appendUsage(line, option, language);
    for (const OptionDoc& option : command.help.common)
        appendUsage(line, option, language);
    if (!page.arguments.empty() && command.help.argumentsLast)
        line.append(" ").append(page.arguments);
    return line;
}

}  // namespace

Language helpLanguage()
{
    return japanese() ? Language::japanese : Language::english;
}

std::string commandHelp(const Subcommand& command, Language language)
{
    const HelpPage& page = pageIn(command.help, language);
    std::string help = usageLine(command, language);
    help.append("\n\n").append(page.intro);
    help.append(optionList(command.options, language, page.layout));
    help.append(page.outro);
    return help;
}

std::string overviewHelp(Language language)
{
    std::string help = "orvelin: ";
    help.append(overviewSummary(language)).append("\n\n");
    // The usage lines after the first line up under it.
    std::string lead(usagePrefix(language));
    for (std::string_view line : overviewSynopsis(language)) {
        help.append(lead).append(line).append("\n");
        lead.assign(displayWidth(usagePrefix(language)), ' ');
    }
    return help.append("\n").append(overviewBody(language));
}

std::string_view overviewSummary(Language language)
{
    return overviewIn(language).summary;
}

std::span<const std::string_view> overviewSynopsis(Language language)
{
    return overviewIn(language).synopsis;
}

std::string overviewBody(Language language)
{
    const OverviewPage& page = overviewIn(language);
    std::string body(page.intro);
    return body.append(optionList(docsOf<kCommonOptions>, language, page.layout)).append(page.outro);
}
