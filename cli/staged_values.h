// The staged values orvelin writes into FLASH: a FLASH value file read as
// the window's loader reads it, and the command lines of the window's FLASH
// write for them.
#pragma once

#include "flash_column.h"

#include <optional>
#include <string>
#include <vector>

// Reads "%d %s" pairs as the window's loader does into a column that starts
// empty: each pair stages its text on its row, a later pair for the same row
// wins, rows outside the table are ignored with a warning. A file that
// cannot be opened, a token that is not a row number, a row number without
// a text, or a text the window's list could not hold (over 255 characters,
// a NUL byte) is refused (reported): nothing partial reaches FLASH.
std::optional<FlashColumn> loadStagedValues(const std::string& path);

// The window's FLASH write lines for every staged cell, in row order; odd
// texts are warned about.
std::vector<std::string> stagedValueLines(const FlashColumn& column);
