#include "ops/number_text.h"

#include <limits>

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
