#include "tools/text_numbers.h"

#include <charconv>

std::optional<int> parseNumber(std::string_view word, int base)
{
    int value = 0;
    const char* end = word.data() + word.size();
    auto [stop, error] = std::from_chars(word.data(), end, value, base);
    if (word.empty() || error != std::errc{} || stop != end)
        return std::nullopt;
    return value;
}
