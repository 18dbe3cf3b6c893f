// What the bus layer's outcomes mean to orvelin's users: a line on stderr
// and an exit status, the one place the two are chosen.
#pragma once

#include "cli/texts/messages.h"
#include "ops/bus/bus_port.h"
#include "ops/bus/outcome.h"
#include "ops/bus/servo_runs.h"
#include "ops/bus/servo_scan.h"
#include "ops/update_outcome.h"

#include <functional>

// Says on stderr what went wrong and returns the exit status; kExitOk, in
// silence, for an Ok outcome.
int reportOutcome(const BusOutcome& outcome);

// Says on stderr why a scan's answer is not used (garbled, short, late) and
// returns its exit status; kExitOk, in silence, for a servo found.
int reportScanFind(const ScanFind& find);

// True when the port is open; otherwise says why not, with its exit status
// in status.
bool portOpened(const BusPort& port, int& status);

// A failed upload, in words and as an exit status.
struct UploadOutcome {
    Msg text;
    int exitStatus;
};
UploadOutcome uploadOutcome(UpdateOutcome outcome);

// One servo's part of a command for each of servos in turn, every failure
// reported. A listed run also gets a line per servo ("ID 01: done") and a
// summary, unless the part is a step of a larger run. Returns the first
// failure's exit status, kExitOk when all went well.
enum class Report { PerServo, FailuresOnly };
int runServos(const ServoIds& servos, bool keepGoing, const std::function<BusOutcome(int id)>& part,
              const std::function<bool()>& stop = {}, Report report = Report::PerServo);
