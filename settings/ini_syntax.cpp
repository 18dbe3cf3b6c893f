#include "settings/ini_syntax.h"

#include <algorithm>

namespace {

constexpr std::string_view kBlanks = " \t\n\v\f\r\x1a";

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string_view trimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

bool sameName(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) { return lower(x) == lower(y); });
}

IniLine parseIniLine(std::string_view line)
{
    const auto text = trimBlanks(line);
    IniLine parsed;
    if (text.empty()) {
        return parsed;
    }
    if (text.front() == '[') {
        // The name runs to the last ']', so "[a]b]" names "a]b"; a header
        // without ']' is skipped and does not end the section before it.
        const auto close = text.rfind(']');
        if (close != std::string_view::npos) {
            parsed.kind = IniLine::Kind::section;
            parsed.name = trimBlanks(text.substr(1, close - 1));
        }
        return parsed;
    }
    parsed.kind = IniLine::Kind::key;
    const auto equals = text.find('=');
    parsed.name = trimBlanks(text.substr(0, equals));
    if (equals != std::string_view::npos) {
        parsed.value = trimBlanks(text.substr(equals + 1));
    }
    return parsed;
}
