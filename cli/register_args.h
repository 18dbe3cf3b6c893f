// Registers and values as people type them: M_POS or 0x20, 3E8 or 0x3E8.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The paramtbl row of a register given by name (any case) or by the address
// of its first byte. A refusal is reported.
std::optional<int> registerFromText(const std::string& text);

// A hexadecimal value that fits the register of this row. A refusal (not
// hexadecimal, beyond every register, too wide for this one) is reported.
std::optional<uint32_t> valueFromText(const std::string& text, int row);

// Largest value a register of this many 7-bit bytes holds.
uint32_t registerMax(int size);

// The window's text of a value of this row: 0x%02X, 0x%04X or 0x%08X.
std::string valueText(uint32_t value, int row);
