// Lists on the command line: servo IDs (0-3F, 1,2,5) and baud rates.
#pragma once

#include <optional>
#include <string>
#include <vector>

// Hexadecimal IDs and ranges separated by commas, each ID once, ascending.
std::optional<std::vector<int>> parseIdList(const std::string& text);
// Decimal baud rates separated by commas, in the order given.
std::optional<std::vector<int>> parseBaudList(const std::string& text);
