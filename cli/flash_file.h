// FLASH value files as the window loads them, and the command lines of the
// window's FLASH write for the values staged from them.
#pragma once

#include "registers.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// One staged text per register row, empty when nothing is staged.
using FlashCells = std::array<std::string, kParamRows>;

// The part of a cell the window's FLASH write reads back out of the list.
inline constexpr std::size_t kFlashCellRead = 63;

// Reads "%d %s" pairs as the window's loader does into cells that start
// empty: each pair stages its text on its row, a later pair for the same row
// wins, rows outside the table are ignored with a warning. A file that
// cannot be opened, a token that is not a row number, a row number without
// a text, or a text the window's list could not hold (over 255 characters,
// a NUL byte) is refused (reported): nothing partial reaches FLASH.
std::optional<FlashCells> loadFlashFile(const std::string& path);

// "f %x %s" for every staged cell of three characters or more, in row order,
// with the text from its third character on; odd texts are warned about.
std::vector<std::string> flashValueLines(const FlashCells& cells);
