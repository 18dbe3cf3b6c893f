#include "options.h"

#include "messages.h"
#include "suggest.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace {

const OptionDef* findOption(std::string_view name, std::span<const OptionDef> own)
{
    for (const OptionDef& option : kCommonOptions)
        if (option.name == name)
            return &option;
    for (const OptionDef& option : own)
        if (option.name == name)
            return &option;
    return nullptr;
}

std::optional<uint64_t> parseDigits(std::string_view text, unsigned base)
{
    if (text.empty())
        return std::nullopt;
    constexpr uint64_t kMax = std::numeric_limits<uint64_t>::max();
    uint64_t value = 0;
    for (char c : text) {
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else
            return std::nullopt;
        value = value > (kMax - digit) / base ? kMax : value * base + digit;
    }
    return value;
}

std::string unknownOption(const std::string& name, std::span<const OptionDef> own)
{
    std::vector<std::string_view> names;
    for (const OptionDef& option : kCommonOptions)
        names.push_back(option.name);
    for (const OptionDef& option : own)
        names.push_back(option.name);
    if (auto nearest = closestWord(name, names))
        return format(Msg::UnknownOptionNear, name.c_str(), nearest->c_str());
    return format(Msg::UnknownOption, name.c_str());
}

}  // namespace

bool ParsedArgs::has(std::string_view name) const
{
    return flags.find(name) != flags.end() || values.find(name) != values.end();
}

const std::string* ParsedArgs::value(std::string_view name) const
{
    auto it = values.find(name);
    return it == values.end() ? nullptr : &it->second;
}

std::optional<ParsedArgs> parseArgs(std::span<const std::string> args, std::span<const OptionDef> own,
                                    std::string& error)
{
    ParsedArgs parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            parsed.positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::string name = arg == "-h" ? std::string("--help") : arg;
        std::optional<std::string> inlineValue;
        if (auto eq = name.find('='); eq != std::string::npos && name.starts_with("--")) {
            inlineValue = name.substr(eq + 1);
            name.resize(eq);
        }
        const OptionDef* option = findOption(name, own);
        if (option == nullptr) {
            error = unknownOption(name, own);
            return std::nullopt;
        }
        if (!option->takesValue) {
            if (inlineValue) {
                error = format(Msg::OptionTakesNoValue, name.c_str());
                return std::nullopt;
            }
            parsed.flags.insert(name);
            continue;
        }
        if (!inlineValue) {
            if (i + 1 >= args.size()) {
                error = format(Msg::OptionNeedsValue, name.c_str());
                return std::nullopt;
            }
            inlineValue = args[++i];
        }
        parsed.values[name] = *inlineValue;
    }
    return parsed;
}

std::size_t leadingCommonOptions(std::span<const std::string> args)
{
    std::size_t i = 0;
    while (i < args.size()) {
        std::string_view arg = args[i];
        if (arg == "-h") {
            ++i;
            continue;
        }
        std::string_view name = arg.substr(0, arg.find('='));
        auto option = std::find_if(std::begin(kCommonOptions), std::end(kCommonOptions),
                                 [&](const OptionDef& s) { return s.name == name; });
        if (option == std::end(kCommonOptions))
            break;
        bool valueInline = name.size() != arg.size();
        i += option->takesValue && !valueInline ? 2 : 1;
    }
    return std::min(i, args.size());
}

std::optional<uint64_t> parseHex(std::string_view text)
{
    if (text.starts_with("0x") || text.starts_with("0X"))
        text.remove_prefix(2);
    return parseDigits(text, 16);
}

std::optional<uint64_t> parseDecimal(std::string_view text)
{
    return parseDigits(text, 10);
}
