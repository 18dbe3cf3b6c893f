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

const char* nameOf(const BusOutcome& outcome)
{
    return outcome.row >= 0 ? paramtbl[outcome.row].name : "";
}

// The value texts of a register, as the windows show them.
std::string valueOf(const BusOutcome& outcome, uint32_t value)
{
    return outcome.row >= 0 ? valueText(value, outcome.row) : std::to_string(value);
}

int missingBytes(const BusOutcome& outcome)
{
    if (outcome.expected == kRegisterBytes)
        complain(Msg::ShortReply, outcome.received, outcome.id);
    else
        complain(Msg::ShortSample, outcome.received, outcome.expected, outcome.id);
    return kExitBadReply;
}

}  // namespace

int reportOutcome(const BusOutcome& outcome)
{
    std::fflush(stdout);
    switch (outcome.status) {
    case BusStatus::Ok:
        return kExitOk;
    case BusStatus::PortFailed:
        reportOpenFailure();
        return kExitPortFailed;
    case BusStatus::NoReply:
        if (outcome.row >= 0)
            complain(Msg::NoEcho, outcome.id, nameOf(outcome));
        else
            complain(Msg::NoReply, outcome.id, portDisplayName().c_str(), baudRate);
        return kExitNoReply;
    case BusStatus::ShortReply:
        return missingBytes(outcome);
    case BusStatus::StrayBytes:
        complain(Msg::StrayReply, outcome.stray, outcome.id);
        return kExitBadReply;
    case BusStatus::Refused:
        complain(Msg::FlashRefused, outcome.id, nameOf(outcome), outcome.ack);
        return kExitNotWritten;
    case BusStatus::EchoDiffers:
        complain(Msg::EchoDiffers, outcome.id, nameOf(outcome), valueOf(outcome, outcome.got).c_str(),
                 valueOf(outcome, outcome.wanted).c_str());
        return kExitNotWritten;
    case BusStatus::ReadBackDiffers:
        complain(Msg::ReadBackDiffers, outcome.id, nameOf(outcome), valueOf(outcome, outcome.wanted).c_str(),
                 valueOf(outcome, outcome.got).c_str());
        return kExitNotWritten;
    case BusStatus::UploadFailed: {
        UploadOutcome failed = uploadOutcome(failedUpdateOutcome(outcome.uploadCode));
        announce(Msg::UpdateErrorTitle, failed.text);
        return failed.exitStatus;
    }
    case BusStatus::Stopped:
        break;
    }
    return kExitInterrupted;
}

int reportScanFind(const ScanFind& find)
{
    const BusOutcome& outcome = find.outcome;
    if (outcome.ok())
        return kExitOk;
    std::fflush(stdout);
    if (find.late)
        complain(Msg::ScanLate, outcome.id, find.baud);
    else if (outcome.status == BusStatus::ShortReply)
        complain(Msg::ScanShort, outcome.id, find.baud, outcome.received);
    else if (find.namedId >= 0)
        complain(Msg::ScanNamesAnother, outcome.id, find.baud, find.namedId);
    else
        complain(Msg::ScanGarbled, outcome.id, find.baud, outcome.stray);
    return kExitBadReply;
}

bool portOpened(const BusPort& port, int& status)
{
    if (port.isOpen())
        return true;
    status = reportOutcome({.status = BusStatus::PortFailed});
    return false;
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

int runServos(const ServoIds& servos, bool keepGoing, const std::function<BusOutcome(int id)>& part,
              const std::function<bool()>& stop, Report report)
{
    bool perServo = servos.listed && report == Report::PerServo;
    int first = kExitOk;
    std::string failedIds;
    auto told = [&](const BusOutcome& outcome) {
        int status = reportOutcome(outcome);
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
    ServoRun run = forEachServo(servos.ids, keepGoing, part, told, stop);
    if (perServo) {
        std::size_t done = 0;
        for (const BusOutcome& outcome : run.outcomes)
            done += outcome.ok() ? 1 : 0;
        if (failedIds.empty() && run.untried == 0)
            std::fprintf(stderr, "%s\n", format(Msg::ServosAllDone, servos.ids.size()).c_str());
        else
            std::fprintf(stderr, "%s\n",
                         format(Msg::ServosSummary, done, servos.ids.size(), failedIds.c_str(), run.untried).c_str());
    }
    return first;
}
