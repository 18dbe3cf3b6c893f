#include "cli/commands/clearing.h"

#include "cli/exit_codes.h"
#include "cli/outcomes.h"
#include "ops/bus/servo_scan.h"
#include "ops/bus/servo_writes.h"

#include <algorithm>

namespace {

// Which of several servos answer, asked before anything is written to any.
// A single servo is not asked: its clear finds out whether it answers.
int answering(BusPort& port, const ServoIds& servos, bool keepGoing, ServoIds& found)
{
    found = servos;
    if (!servos.listed)
        return kExitOk;
    std::vector<int> answered = answeringIds(port, servos.ids);
    found.ids.clear();
    int status = kExitOk;
    for (int id : servos.ids) {
        if (std::ranges::find(answered, id) != answered.end()) {
            found.ids.push_back(id);
            continue;
        }
        int silent = reportOutcome({.status = BusStatus::NoReply, .id = id});
        status = status == kExitOk ? silent : status;
        if (!keepGoing)
            break;
    }
    return status;
}

}  // namespace

ClearRun clearServos(const ServoIds& servos, bool keepGoing, bool confirmed)
{
    ClearRun run{kExitOk, {}};
    {
        // The port is not held while the operator restarts the servos.
        BusPort port;
        if (!portOpened(port, run.status))
            return run;
        ServoIds found;
        run.status = answering(port, servos, keepGoing, found);
        if (found.ids.empty() || (run.status != kExitOk && !keepGoing))
            return run;
        auto clearOne = [&](int id) {
            BusOutcome outcome = clearSettings(port, id);
            if (outcome.ok())
                run.cleared.push_back(id);
            return outcome;
        };
        int cleared = runServos(found, keepGoing, clearOne, {}, Report::FailuresOnly);
        if (run.status == kExitOk)
            run.status = cleared;
    }
    if (!run.cleared.empty())
        run.restart = awaitRestart(confirmed, run.cleared);
    return run;
}
