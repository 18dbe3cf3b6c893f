#include "cli/outcomes.h"

#include "cli/console/restart_prompt.h"
#include "cli/exit_codes.h"
#include "cli/port_setup.h"
#include "cli/register_args.h"
#include "link/lasterror.h"
#include "link/wire_format.h"
#include "link/registers.h"

#include <cstdio>
#include <string>

namespace {

const char* nameOf(const Outcome& outcome)
{
    return outcome.row >= 0 ? paramtbl[outcome.row].name : "";
}

// The value texts of a register, as the windows show them.
std::string valueOf(const Outcome& outcome, uint32_t value)
{
    return outcome.row >= 0 ? valueText(value, outcome.row) : std::to_string(value);
}

int missingBytes(const Outcome& outcome)
{
    if (outcome.expected == kRegisterBytes)
        complain(Msg::ShortReply, outcome.received, outcome.id);
    else
        complain(Msg::ShortSample, outcome.received, outcome.expected, outcome.id);
    return kExitBadReply;
}

}  // namespace

int reportOutcome(const Outcome& outcome, const orvelin::Bus& bus)
{
    std::fflush(stdout);
    switch (outcome.status) {
    case Status::Ok:
        return kExitOk;
    case Status::PortFailed:
        reportOpenFailure(bus.port(), bus.baud(), bus.openError(), bus.openErrorCode());
        return kExitPortFailed;
    case Status::NoReply:
        if (outcome.row >= 0)
            complain(Msg::NoEcho, outcome.id, nameOf(outcome));
        else
            complain(Msg::NoReply, outcome.id, bus.port().c_str(), bus.baud());
        return kExitNoReply;
    case Status::ShortReply:
        return missingBytes(outcome);
    case Status::StrayBytes:
        complain(Msg::StrayReply, outcome.stray, outcome.id);
        return kExitBadReply;
    case Status::Refused:
        complain(Msg::FlashRefused, outcome.id, nameOf(outcome), outcome.ack);
        return kExitNotWritten;
    case Status::EchoDiffers:
        complain(Msg::EchoDiffers, outcome.id, nameOf(outcome), valueOf(outcome, outcome.got).c_str(),
                 valueOf(outcome, outcome.wanted).c_str());
        return kExitNotWritten;
    case Status::ReadBackDiffers:
        complain(Msg::ReadBackDiffers, outcome.id, nameOf(outcome), valueOf(outcome, outcome.wanted).c_str(),
                 valueOf(outcome, outcome.got).c_str());
        return kExitNotWritten;
    case Status::UploadFailed: {
        UploadOutcome failed = uploadOutcome(outcome.upload);
        announce(Msg::UpdateErrorTitle, failed.text);
        return failed.exitStatus;
    }
    case Status::Stopped:
        break;
    }
    return kExitInterrupted;
}

int reportScanFind(const ScanFind& find)
{
    const Outcome& outcome = find.outcome;
    if (outcome.ok())
        return kExitOk;
    std::fflush(stdout);
    if (find.late)
        complain(Msg::ScanLate, outcome.id, find.baud);
    else if (outcome.status == Status::ShortReply)
        complain(Msg::ScanShort, outcome.id, find.baud, outcome.received);
    else if (find.namedId >= 0)
        complain(Msg::ScanNamesAnother, outcome.id, find.baud, find.namedId);
    else
        complain(Msg::ScanGarbled, outcome.id, find.baud, outcome.stray);
    return kExitBadReply;
}

bool portOpened(const orvelin::Bus& bus, int& status)
{
    if (bus.isOpen())
        return true;
    status = reportOutcome({.status = Status::PortFailed}, bus);
    return false;
}

UploadOutcome uploadOutcome(orvelin::UploadFailure failure)
{
    switch (failure) {
    case orvelin::UploadFailure::FileUnreadable:
        return uploadOutcome(UpdateOutcome::FileCannotOpen);
    case orvelin::UploadFailure::ImageInvalid:
        return uploadOutcome(UpdateOutcome::BadFile);
    case orvelin::UploadFailure::NoAcknowledge:
        return uploadOutcome(UpdateOutcome::NoAnswer);
    case orvelin::UploadFailure::ChunkRefused:
        return uploadOutcome(UpdateOutcome::Rejected);
    case orvelin::UploadFailure::None:
        break;
    }
    return uploadOutcome(UpdateOutcome::Unknown);
}

UploadOutcome uploadOutcome(UpdateOutcome outcome)
{
    switch (outcome) {
    case UpdateOutcome::FileCannotOpen:
        return {Msg::UploadFailOpen, kExitUploadOpen};
    case UpdateOutcome::BadFile:
        return {Msg::UploadFailNot7Bit, kExitUploadNot7Bit};
    case UpdateOutcome::NoAnswer:
        return {Msg::UploadFailNoAck, kExitUploadNoAck};
    case UpdateOutcome::Rejected:
        return {Msg::UploadFailRejected, kExitUploadRejected};
    default:
        // The link reports no other code; should one come, it is a failed upload all the same.
        return {Msg::UploadFailOther, kExitUploadOpen};
    }
}

int runServos(const orvelin::Bus& bus, const ServoIds& servos, bool keepGoing, const std::function<Outcome(int id)>& part,
              const std::function<bool()>& stop, Report report)
{
    bool perServo = servos.listed && report == Report::PerServo;
    int first = kExitOk;
    std::string failedIds;
    auto told = [&](const Outcome& outcome) {
        int status = reportOutcome(outcome, bus);
        if (status != kExitOk && first == kExitOk)
            first = status;
        if (status != kExitOk)
            failedIds += (failedIds.empty() ? "" : ", ") + format(Msg::ServoId, outcome.id);
        if (!perServo)
            return;
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n",
                     status == kExitOk ? format(Msg::ServoDone, outcome.id).c_str()
                                       : format(Msg::ServoFailed, outcome.id, status).c_str());
    };
    orvelin::ServoRun run = orvelin::forEachServo(servos.ids, keepGoing, part, told, stop);
    if (perServo) {
        std::size_t done = 0;
        for (const Outcome& outcome : run.outcomes)
            done += outcome.ok() ? 1 : 0;
        if (failedIds.empty() && run.untried == 0)
            std::fprintf(stderr, "%s\n", format(Msg::ServosAllDone, servos.ids.size()).c_str());
        else
            std::fprintf(stderr, "%s\n",
                         format(Msg::ServosSummary, done, servos.ids.size(), failedIds.c_str(), run.untried).c_str());
    }
    return first;
}
