// The settings clear that orvelin clear and orvelin flash share: a backup of
// each servo (or, without one, which of them answer), the clear of each
// with its answer examined, and one restart question for all that took it.
#pragma once

#include "cli/console/restart_prompt.h"
#include "cli/servo_ids.h"
#include "orvelin/backups.h"

#include <filesystem>
#include <vector>

struct ClearRun {
    int status;                // the first failure's exit status, kExitOk when all went well
    std::vector<int> cleared;  // the servos that took the clear
    RestartOutcome restart = RestartOutcome::Unconfirmed;
};

struct ClearChoices {
    bool keepGoing = false;  // leave out a servo that fails and go on with the others
    bool confirmed = false;  // the restart is taken care of (--yes)
    bool backUp = true;      // save each servo's registers before it is cleared
};

// Every servo is backed up (or, without backups, for a list, must answer)
// before any is cleared; with keepGoing the failed ones are left out. Then
// each is cleared and, when one took it, the bus is closed and the operator
// is asked once to restart them.
ClearRun clearServos(ServoSession& session, const ClearChoices& choices);

// Each servo's backup before anything is written to any: a servo that
// cannot be backed up is left out of found, and without keepGoing the run
// stops there. Every backup made is said on stderr, with the command that
// writes it back. Returns the first failure's exit status.
int backUpServos(orvelin::Bus& bus, const ServoIds& servos, bool keepGoing, ServoIds& found,
                 std::vector<orvelin::Backup>* made = nullptr);
