// The rules of the list's value cells that both windows and orvelin share:
// what the edit dialogs show and stage, and what the FLASH write sends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The FLASH write reads this much of a cell back out of the list.
inline constexpr std::size_t kFlashCellRead = 63;
// "0x" of every value text: the FLASH write drops it unchecked and the edit
// dialogs hide it.
inline constexpr std::size_t kValuePrefix = 2;

// The FLASH write's line for one staged cell of paramtbl row `row`: "f %x %s"
// with the register's address and the cell (63 characters of it) from its
// third character on. Nothing for a cell of fewer than three characters,
// which has no value after its prefix (only a loaded file makes one).
std::optional<std::string> flashWriteLine(int row, std::string_view cell);

// The RAM edit dialog's line "w %x %s": the row's address and the typed
// text unchanged; the interpreter decides what it means.
std::string ramEditLine(int row, std::string_view typed);

// What the edit dialogs show of a value text: from its third character on.
std::string_view editableText(std::string_view valueText);

// strtol with base 16 on a 32-bit long: blanks, a sign, an optional 0x, the
// digits; beyond the range it sticks at the ends; no digits give 0; whatever
// follows is ignored.
int32_t parseHexLong(const char* text);

// The bits the FLASH edit dialog keeps for a register of this size: 7, 14,
// or 21 (not 28) for 4 bytes.
uint32_t flashEditMask(int size);

// The FLASH edit dialog's OK: the text the row's cell gets for what was
// typed, masked and formatted by the register's size. An empty typed text
// gives the empty cell (no value staged); a blank gives 0x00.
std::string flashEditText(const char* typed, int row);
