#include "ops/bus/servo_runs.h"

#include <algorithm>

bool ServoRun::ok() const
{
    return std::ranges::all_of(outcomes, &BusOutcome::ok);
}

BusOutcome ServoRun::firstFailure() const
{
    auto failed = std::ranges::find_if(outcomes, [](const BusOutcome& outcome) { return !outcome.ok(); });
    return failed == outcomes.end() ? BusOutcome{} : *failed;
}

ServoRun forEachServo(const std::vector<int>& ids, bool keepGoing, const std::function<BusOutcome(int id)>& part,
                      const std::function<void(const BusOutcome&)>& told, const std::function<bool()>& stop)
{
    ServoRun run;
    for (int id : ids) {
        if (stop && stop())
            break;
        BusOutcome outcome = part(id);
        outcome.id = id;
        run.outcomes.push_back(outcome);
        if (told)
            told(outcome);
        if (!outcome.ok() && !keepGoing)
            break;
    }
    run.untried = ids.size() - run.outcomes.size();
    return run;
}
