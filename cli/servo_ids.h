// The servos a command takes through in turn: --id HEX for one, or a list
// and ranges (1,2,5 1-12 1-4,9) or all, the IDs that answer a scan at the
// baud rate in force.
#pragma once

#include "options.h"

#include <functional>
#include <optional>
#include <vector>

struct ServoIds {
    std::vector<int> ids;
    bool listed = false;  // a list, a range or all: results are told per ID
};

// The port settings in force (preparePort), then the IDs of --id, or the ID
// in force when there is none. A refusal (bad port settings, a bad list, no
// servo answering all) is reported, with the exit status in status.
std::optional<ServoIds> prepareServos(const ParsedArgs& args, int& status);

// Runs one servo's part of a command for each ID in turn, with SendID set.
// For a listed run that reports, each outcome gets a line on stderr and a
// summary ends it. Stops at the first failure unless keepGoing; returns the
// first failure's status, kExitOk when every servo's part succeeded.
// stop, when given, is asked before each servo: once it says so the rest are not tried.
int forEachServo(const ServoIds& servos, bool keepGoing, const std::function<int(int id)>& run, bool report = true,
                 const std::function<bool()>& stop = {});
