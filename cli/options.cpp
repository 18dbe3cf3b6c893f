#include "cli/options.h"

#include "cli/texts/messages.h"
#include "cli/suggest.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace {

const BoundOption* findOption(std::string_view name, std::span<const BoundOption> options)
{
    for (const BoundOption& option : options)
        if (option.name == name || (!option.shortName.empty() && option.shortName == name))
            return &option;
    return nullptr;
}

std::string unknownOption(const std::string& name, std::span<const BoundOption> options)
{
    std::vector<std::string_view> names;
    for (const BoundOption& option : options)
        names.push_back(option.name);
    if (auto nearest = closestWord(name, names))
        return format(Msg::UnknownOptionNear, name.c_str(), nearest->c_str());
    return format(Msg::UnknownOption, name.c_str());
}

}  // namespace

bool parseBound(std::span<const std::string> args, std::span<const BoundOption> options,
                std::vector<std::string>& positional, std::string& error)
{
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::string name = arg;
        std::optional<std::string> inlineValue;
        if (auto eq = name.find('='); eq != std::string::npos && name.starts_with("--")) {
            inlineValue = name.substr(eq + 1);
            name.resize(eq);
        }
        const BoundOption* option = findOption(name, options);
        if (option == nullptr) {
            error = unknownOption(name, options);
            return false;
        }
        if (bool* const* flag = std::get_if<bool*>(&option->target)) {
            if (inlineValue) {
                error = format(Msg::OptionTakesNoValue, name.c_str());
                return false;
            }
            **flag = true;
            continue;
        }
        if (!inlineValue) {
            if (i + 1 >= args.size()) {
                error = format(Msg::OptionNeedsValue, name.c_str());
                return false;
            }
            inlineValue = args[++i];
        }
        *std::get<std::optional<std::string>*>(option->target) = std::move(inlineValue);
    }
    return true;
}

std::size_t leadingCommonOptions(std::span<const std::string> args)
{
    std::size_t i = 0;
    while (i < args.size()) {
        std::string_view arg = args[i];
        std::string_view name = arg.starts_with("--") ? arg.substr(0, arg.find('=')) : arg;
        auto option = std::ranges::find_if(kCommonOptions, [&](const Option<CommonArgs>& common) {
            return common.name == name || (!common.shortName.empty() && common.shortName == name);
        });
        if (option == std::end(kCommonOptions))
            break;
        bool valueInline = name.size() != arg.size();
        i += option->takesValue() && !valueInline ? 2 : 1;
    }
    return std::min(i, args.size());
}

