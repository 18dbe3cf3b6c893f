// The window's settings clear with the restart question, shared by clear and flash.
#pragma once

#include <vector>

// Sends "f 0 3e8" and the restart request "w 9 1" to the servo with ID
// SendID. False, reported, when nothing at all came back: a clear that
// reached no servo is no clear.
bool sendSettingsClearChecked();

// The restart question after the clear of these servos: asks the operator
// to restart them and press Enter, unless `confirmed` says it is already
// agreed (--yes).
enum class RestartOutcome { Unconfirmed, Confirmed };
RestartOutcome awaitRestart(bool confirmed, const std::vector<int>& cleared);

struct ServoIds;

// Which of several servos answer, asked before anything is written to any:
// each one that does not is reported. Returns kExitNoReply when one did not
// (without keepGoing the run then stops), with the answering ones in
// `answering`; a single servo is not asked.
int servosAnswering(const ServoIds& servos, bool keepGoing, ServoIds& answering);

// The settings clear of each servo, then one restart question for them all.
// status is the first failure's (kExitOk when every clear reached its servo);
// cleared lists the servos the clear reached.
struct ClearRun {
    int status;
    std::vector<int> cleared;
    RestartOutcome restart = RestartOutcome::Unconfirmed;
};
ClearRun clearServos(const ServoIds& servos, bool keepGoing, bool confirmed);
