// Numbers as people and files write them, read the one way orvelin and the
// library read them: digits only, values beyond 64 bits saturating.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Digits of base 10 or 16 (either case), nothing else; nothing without one.
std::optional<uint64_t> parseDigits(std::string_view text, unsigned base);
// Hexadecimal with an optional 0x.
std::optional<uint64_t> parseHex(std::string_view text);
// Plain decimal digits.
std::optional<uint64_t> parseDecimal(std::string_view text);
