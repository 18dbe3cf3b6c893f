// Command-line parsing: the options every subcommand shares, each
// subcommand's own, and the number formats they take.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct OptionDef {
    std::string_view name;  // "--port"
    bool takesValue;
};

// Every subcommand takes these.
inline constexpr OptionDef kCommonOptions[] = {
    {"--port", true}, {"--baud", true}, {"--id", true}, {"--wire", false}, {"--help", false},
};

struct ParsedArgs {
    std::map<std::string, std::string, std::less<>> values;  // the last one given wins
    std::set<std::string, std::less<>> flags;
    std::vector<std::string> positional;

    bool has(std::string_view name) const;
    const std::string* value(std::string_view name) const;
};

// Parses the arguments after the subcommand word against kCommonOptions and
// own. "--name value", "--name=value", "-h" for --help, "--" ends options.
// On failure returns nothing and leaves a message in error.
std::optional<ParsedArgs> parseArgs(std::span<const std::string> args, std::span<const OptionDef> own,
                                    std::string& error);

// How many leading arguments are common options given before the subcommand
// word (orvelin --port /dev/ttyUSB0 table).
std::size_t leadingCommonOptions(std::span<const std::string> args);

// Hexadecimal with an optional 0x; values beyond 64 bits saturate.
std::optional<uint64_t> parseHex(std::string_view text);
// Plain decimal digits; values beyond 64 bits saturate.
std::optional<uint64_t> parseDecimal(std::string_view text);
