#include "cli/register_args.h"

#include "cli/texts/messages.h"
#include "cli/options.h"
#include "link/registers.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace {

bool sameName(const std::string& typed, const char* name)
{
    return std::equal(typed.begin(), typed.end(), name, name + std::char_traits<char>::length(name),
                      [](char a, char b) { return std::toupper(static_cast<unsigned char>(a)) == b; });
}

}  // namespace

std::optional<int> registerFromText(const std::string& text)
{
    for (int row = 0; paramtbl[row].name != nullptr; ++row)
        if (sameName(text, paramtbl[row].name))
            return row;
    auto address = parseHex(text);
    if (!address) {
        complain(Msg::UnknownRegister, text.c_str());
        return std::nullopt;
    }
    int row = *address <= 0xFF ? findParamRow(static_cast<int>(*address)) : -1;
    if (row < 0) {
        complain(Msg::NoRegisterAt, text.c_str());
        return std::nullopt;
    }
    return row;
}

std::optional<std::vector<int>> registersFromList(const std::string& list)
{
    std::vector<bool> chosen(kParamRows, false);
    std::size_t at = 0;
    do {
        std::size_t comma = std::min(list.find(',', at), list.size());
        std::string part = list.substr(at, comma - at);
        bool any = false;
        for (int row = 0; !part.empty() && row < kParamRows; ++row) {
            std::string_view name = paramtbl[row].name;
            if (name.size() >= part.size() && sameName(part, std::string(name.substr(0, part.size())).c_str())) {
                chosen[static_cast<std::size_t>(row)] = true;
                any = true;
            }
        }
        if (!any) {
            complain(Msg::NoRegisterNamed, part.c_str());
            return std::nullopt;
        }
        at = comma + 1;
    } while (at <= list.size());
    std::vector<int> rows;
    for (int row = 0; row < kParamRows; ++row)
        if (chosen[static_cast<std::size_t>(row)])
            rows.push_back(row);
    return rows;
}

std::optional<std::vector<int>> registersOption(const std::optional<std::string>& list)
{
    if (list)
        return registersFromList(*list);
    std::vector<int> rows;
    for (int row = 0; row < kParamRows; ++row)
        rows.push_back(row);
    return rows;
}

std::optional<uint32_t> valueFromText(const std::string& text, int row)
{
    auto value = parseHex(text);
    if (!value) {
        complain(Msg::BadHexValue, text.c_str());
        return std::nullopt;
    }
    if (*value > groupsMax(4)) {
        complain(Msg::ValueOutOfRange, text.c_str());
        return std::nullopt;
    }
    const ParamDef& def = paramtbl[row];
    if (*value > groupsMax(def.size)) {
        complain(Msg::ValueTooWide, text.c_str(), def.name, def.size, groupsMax(def.size));
        return std::nullopt;
    }
    return static_cast<uint32_t>(*value);
}

std::string valueText(uint32_t value, int row)
{
    char text[16];
    formatValueText(text, sizeof text, value, paramtbl[row].size);
    return text;
}
