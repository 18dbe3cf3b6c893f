// Command-line parsing: the options every subcommand shares, each
// subcommand's own bound to fields of its arguments, and the number formats
// they take.
#pragma once

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

// An option and the field of Args it sets: a flag's bool, or the text of
// an option that takes a value.
template <class Args>
struct Option {
    std::string_view name;  // "--keep-going"
    std::variant<bool Args::*, std::optional<std::string> Args::*> field;

    constexpr bool takesValue() const { return std::holds_alternative<std::optional<std::string> Args::*>(field); }
};

inline constexpr Option<CommonArgs> kCommonOptions[] = {
    {"--port", &CommonArgs::port}, {"--baud", &CommonArgs::baud}, {"--id", &CommonArgs::id},
    {"--wire", &CommonArgs::wire}, {"--help", &CommonArgs::help},
};

// The own options of a subcommand that takes only the common ones.
inline constexpr std::span<const Option<CommonArgs>> kNoOwnOptions;

// An option bound to the field of one object being parsed into.
struct BoundOption {
    using Target = std::variant<bool*, std::optional<std::string>*>;
    std::string_view name;
    Target target;
};

template <class Args>
BoundOption bindOption(Args& args, const Option<Args>& option)
{
    return {option.name, std::visit([&](auto field) -> BoundOption::Target { return &(args.*field); }, option.field)};
}

// The grammar of parseArgs on options already bound; the other words go to
// positional. On failure returns false and leaves a message in error.
bool parseBound(std::span<const std::string> args, std::span<const BoundOption> options,
                std::vector<std::string>& positional, std::string& error);

// Parses the arguments after the subcommand word into Args, against
// kCommonOptions and own. "--name value", "--name=value", "-h" for --help,
// "--" ends options. On failure returns nothing and leaves a message in error.
template <std::derived_from<CommonArgs> Args>
std::optional<Args> parseArgs(std::span<const std::string> args, std::span<const Option<Args>> own, std::string& error)
{
    Args parsed;
    std::vector<BoundOption> options;
    for (const Option<CommonArgs>& option : kCommonOptions)
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

// Hexadecimal with an optional 0x; values beyond 64 bits saturate.
std::optional<uint64_t> parseHex(std::string_view text);
// Plain decimal digits; values beyond 64 bits saturate.
std::optional<uint64_t> parseDecimal(std::string_view text);
