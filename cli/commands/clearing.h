// The settings clear that orvelin clear and orvelin flash share: which of
// the servos answer, the clear of each with its answer examined, and one
// restart question for all that took it.
#pragma once

#include "cli/console/restart_prompt.h"
#include "ops/bus/servo_runs.h"

#include <vector>

struct ClearRun {
    int status;                // the first failure's exit status, kExitOk when all went well
    std::vector<int> cleared;  // the servos that took the clear
    RestartOutcome restart = RestartOutcome::Unconfirmed;
};

// For a list, every servo must answer before any is cleared (with
// keepGoing, the silent ones are left out); then each is cleared and, when
// one took it, the operator is asked once to restart them.
ClearRun clearServos(const ServoIds& servos, bool keepGoing, bool confirmed);
