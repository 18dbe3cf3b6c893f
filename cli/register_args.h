// Registers and values as people type them: M_POS or 0x20, 3E8 or 0x3E8.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The paramtbl row of a register given by name (any case) or by the address
// of its first byte. A refusal is reported.
std::optional<int> registerFromText(const std::string& text);

// The rows a list of register names and group prefixes names, in table
// order: "FB_,SYS_BR" takes every FB_ register and SYS_BR. A part that names
// no register is refused (reported).
std::optional<std::vector<int>> registersFromList(const std::string& list);
// The rows of a --registers option: its list, or every row without one.
std::optional<std::vector<int>> registersOption(const std::optional<std::string>& list);

// A hexadecimal value that fits the register of this row. A refusal (not
// hexadecimal, beyond every register, too wide for this one) is reported.
std::optional<uint32_t> valueFromText(const std::string& text, int row);

// The window's text of a value of this row: 0x%02X, 0x%04X or 0x%08X.
std::string valueText(uint32_t value, int row);
