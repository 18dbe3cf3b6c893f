// Numbers written as whole words, for the control language and the options.
#pragma once

#include <optional>
#include <string_view>

// The word as a number in this base; nothing unless every character belongs to it.
std::optional<int> parseNumber(std::string_view word, int base);
