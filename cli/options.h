// Command-line options: the options every subcommand shares, each
// subcommand's own bound to fields of its arguments, each declared once with
// its help; the parser, and the number formats the options take.
#pragma once

#include "cli/texts/help_texts.h"
#include "ops/number_text.h"

#include <algorithm>
#include <array>
#include <concepts>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// What every subcommand's arguments hold: the common options and the words
// that are no option. A value option keeps the last value given.
struct CommonArgs {
    std::optional<std::string> port;
    std::optional<std::string> baud;
    std::optional<std::string> id;
    bool wire = false;
    bool help = false;
    std::vector<std::string> positional;
};

// An option: its name, the field of Args it sets (a flag's bool, or the
// text of an option that takes a value), then what the help says of it, as
// OptionDoc describes. A row of a command's table:
//   {"--registers", &SaveArgs::registers, {"LIST", "リスト"}, {"only these: ...", "これらだけ: ..."}}
template <class Args>
struct Option {
    std::string_view name;
    std::variant<bool Args::*, std::optional<std::string> Args::*> field;
    Bilingual metavar = {};
    Bilingual help = {};
    bool orPrevious = false;
    std::string_view shortName = {};

    constexpr bool takesValue() const { return std::holds_alternative<std::optional<std::string> Args::*>(field); }
    constexpr OptionDoc doc() const { return {name, metavar, help, orPrevious, shortName}; }
};

// The docs of a table of options, for the help and the completion.
template <const auto& options>
inline constexpr auto docsOf = [] {
    std::array<OptionDoc, std::size(options)> docs{};
    std::ranges::transform(options, docs.begin(), [](const auto& option) { return option.doc(); });
    return docs;
}();

// The common options, as orvelin's overview lists them.
inline constexpr Option<CommonArgs> kPortOption = {
    "--port", &CommonArgs::port, {"DEVICE", "デバイス"},
    {"serial device (/dev/ttyUSB0, COM3 on Windows); default: PORT in servoconf.ini",
     "シリアルデバイス (/dev/ttyUSB0、Windows では COM3)。省略時は servoconf.ini の PORT"}};
inline constexpr Option<CommonArgs> kBaudOption = {
    "--baud", &CommonArgs::baud, {"RATE", "速度"},
    {"baud rate; default: BAUDRATE in servoconf.ini (115200)",
     "ボーレート。省略時は servoconf.ini の BAUDRATE (115200)"}};
inline constexpr Option<CommonArgs> kIdOption = {
    "--id", &CommonArgs::id, {"HEX", "16進数"},
    {"servo ID, 0 to 3F; default 3F. table, set, clear, flash, update, watch\n"
     "and diff also take a list: 1,2,5 or 1-12 or 1-4,9, or all (the IDs that\n"
     "answer at the baud in force), and take the servos in turn",
     "サーボ ID (0〜3F)。省略時は 3F。table、set、clear、flash、update、watch、\n"
     "diff はリストも受け付け (1,2,5、1-12、1-4,9、または応答する全 ID の all)、\n"
     "サーボを順に処理します"}};
inline constexpr Option<CommonArgs> kWireOption = {
    "--wire", &CommonArgs::wire, {},
    {"show every packet sent and every reply on stderr, with times in ms",
     "送信した全パケットと受信した全応答を時刻 (ms) 付きで標準エラーに表示します"}};
inline constexpr Option<CommonArgs> kHelpOption = {
    .name = "--help",
    .field = &CommonArgs::help,
    .help = {"show the help of a command: orvelin COMMAND --help", "コマンドの説明を表示します: orvelin コマンド --help"},
    .shortName = "-h"};

inline constexpr Option<CommonArgs> kCommonOptions[] = {kPortOption, kBaudOption, kIdOption, kWireOption, kHelpOption};

// The common options as a command's usage line shows them after its own;
// commands that take a list of IDs show it in --id.
inline constexpr OptionDoc kIdListUsage = {"--id", {"HEX|LIST|all", "16進数|リスト|all"}};
inline constexpr OptionDoc kServoOptions[] = {kPortOption.doc(), kBaudOption.doc(), kIdOption.doc(),
                                              kWireOption.doc()};
inline constexpr OptionDoc kServoListOptions[] = {kPortOption.doc(), kBaudOption.doc(), kIdListUsage,
                                                  kWireOption.doc()};

// The own options of a subcommand that takes only the common ones.
inline constexpr std::array<Option<CommonArgs>, 0> kNoOwnOptions{};

// An option bound to the field of one object being parsed into.
struct BoundOption {
    using Target = std::variant<bool*, std::optional<std::string>*>;
    std::string_view name;
    std::string_view shortName;
    Target target;
};

template <class Args>
BoundOption bindOption(Args& args, const Option<Args>& option)
{
    return {option.name, option.shortName,
            std::visit([&](auto field) -> BoundOption::Target { return &(args.*field); }, option.field)};
}

// The grammar of parseArgs on options already bound; the other words go to
// positional. On failure returns false and leaves a message in error.
bool parseBound(std::span<const std::string> args, std::span<const BoundOption> options,
                std::vector<std::string>& positional, std::string& error);

// Parses the arguments after the subcommand word into Args, against
// kCommonOptions and own; an own option of a common one's name (scan's
// --baud) only says more of it. "--name value", "--name=value", "-h" for
// --help, "--" ends options. On failure returns nothing and leaves a
// message in error.
template <std::derived_from<CommonArgs> Args>
std::optional<Args> parseArgs(std::span<const std::string> args, std::span<const Option<Args>> own, std::string& error)
{
    Args parsed;
    std::vector<BoundOption> options;
    for (const Option<CommonArgs>& option : kCommonOptions)
        if (std::ranges::find(own, option.name, &Option<Args>::name) == own.end())
            options.push_back(bindOption<CommonArgs>(parsed, option));
    for (const Option<Args>& option : own)
        options.push_back(bindOption(parsed, option));
    if (!parseBound(args, options, parsed.positional, error))
        return std::nullopt;
    return parsed;
}

// How many leading arguments are common options given before the subcommand
// word (orvelin --port /dev/ttyUSB0 table).
std::size_t leadingCommonOptions(std::span<const std::string> args);

