// The servos a command takes through in turn: --id HEX for one, or a list
// and ranges (1,2,5 1-12 1-4,9) or all, the IDs that answer a scan at the
// baud rate in force.
#pragma once

#include "cli/options.h"
#include "ops/bus/servo_runs.h"

#include <optional>

// The port settings in force (preparePort), then the IDs of --id, or the ID
// in force when there is none. A refusal (bad port settings, a bad list, no
// servo answering all) is reported, with the exit status in status.
std::optional<ServoIds> prepareServos(const CommonArgs& args, int& status);
