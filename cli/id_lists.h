// Lists on the command line: baud rates (servo IDs: ops/bus/servo_runs.h).
#pragma once

#include <optional>
#include <string>
#include <vector>

// Decimal baud rates separated by commas, in the order given, or "all":
// the six of the windows' baud selector.
std::optional<std::vector<int>> parseBaudList(const std::string& text);
