// What the bus layer's outcomes mean to orvelin's users: a line on stderr
// and an exit status, the one place the two are chosen.
#pragma once

#include "cli/texts/messages.h"
#include "ops/update_outcome.h"
#include "orvelin/bus.h"
#include "orvelin/outcome.h"
#include "orvelin/scan.h"
#include "orvelin/servo_lists.h"

#include <functional>

using orvelin::Outcome;
using orvelin::ScanFind;
using orvelin::ServoIds;
using orvelin::Status;

// Says on stderr what went wrong on bus and returns the exit status;
// kExitOk, in silence, for an Ok outcome.
int reportOutcome(const Outcome& outcome, const orvelin::Bus& bus);

// Says on stderr why a scan's answer is not used (garbled, short, late) and
// returns its exit status; kExitOk, in silence, for a servo found.
int reportScanFind(const ScanFind& find);

// True when the bus is open; otherwise says why not, with its exit status
// in status.
bool portOpened(const orvelin::Bus& bus, int& status);

// A failed upload, in words and as an exit status.
struct UploadOutcome {
    Msg text;
    int exitStatus;
};
UploadOutcome uploadOutcome(UpdateOutcome outcome);
UploadOutcome uploadOutcome(orvelin::UploadFailure failure);

// One servo's part of a command for each of servos in turn, every failure
// reported. A listed run also gets a line per servo ("ID 01: done") and a
// summary, unless the part is a step of a larger run. Returns the first
// failure's exit status, kExitOk when all went well.
enum class Report { PerServo, FailuresOnly };
int runServos(const orvelin::Bus& bus, const ServoIds& servos, bool keepGoing, const std::function<Outcome(int id)>& part,
              const std::function<bool()>& stop = {}, Report report = Report::PerServo);
