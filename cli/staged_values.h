// The staged values orvelin writes into FLASH, from a FLASH value file, and
// the command lines of the window's FLASH write for them.
#pragma once

#include "ops/flash_column.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A FLASH value file as the window saves it, checked by the library's strict
// loader (orvelin/value_files.h): anything else than its "ROW VALUE" lines (a
// line of another form, a row twice, no value at all, a file that is not a
// plain file) is refused whole and reported with its line: nothing partial
// or wrong reaches FLASH.
std::optional<FlashColumn> loadStagedValues(const std::string& path);
// The same checks on a file's bytes; name is what the messages call it.
std::optional<FlashColumn> stagedValuesFrom(std::string_view bytes, const std::string& name);

// The window's FLASH write lines for the staged cells, in row order.
std::vector<std::string> stagedValueLines(const FlashColumn& column);

// The value a checked cell stands for.
uint32_t stagedValue(const std::string& cell);
