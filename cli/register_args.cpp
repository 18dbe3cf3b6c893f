#include "register_args.h"

#include "messages.h"
#include "options.h"
#include "registers.h"

#include <algorithm>
#include <cctype>

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

uint32_t registerMax(int size)
{
    return (uint32_t{1} << (7 * size)) - 1;
}

std::optional<uint32_t> valueFromText(const std::string& text, int row)
{
    auto value = parseHex(text);
    if (!value) {
        complain(Msg::BadHexValue, text.c_str());
        return std::nullopt;
    }
    if (*value > registerMax(4)) {
        complain(Msg::ValueOutOfRange, text.c_str());
        return std::nullopt;
    }
    const ParamDef& def = paramtbl[row];
    if (*value > registerMax(def.size)) {
        complain(Msg::ValueTooWide, text.c_str(), def.name, def.size, registerMax(def.size));
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
