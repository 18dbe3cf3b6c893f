#include "cli/servo_ids.h"

#include "cli/console/interrupt.h"
#include "cli/exit_codes.h"
#include "cli/texts/messages.h"
#include "orvelin/scan.h"

#include <chrono>
#include <string>
#include <thread>

namespace {

// Every servo that answers a scan; a garbled answer fails the run, since a
// command over all that left that servo out would not be over all.
std::optional<std::vector<int>> answeringServos(orvelin::Bus& bus, int& status)
{
    std::vector<int> ids;
    for (const ScanFind& find : orvelin::scanIds(bus, orvelin::everyId())) {
        if (int untrusted = reportScanFind(find); untrusted != kExitOk)
            status = untrusted;
        else
            ids.push_back(find.outcome.id);
    }
    if (status != kExitOk)
        return std::nullopt;
    if (ids.empty()) {
        complain(Msg::ScanNone, bus.port().c_str());
        status = kExitNoReply;
        return std::nullopt;
    }
    return ids;
}

constexpr auto kPortWait = std::chrono::milliseconds(500);
constexpr auto kPortRetry = std::chrono::milliseconds(5);

std::unique_ptr<RunBus> openBus(const PortChoice& choice, BusyPort busy)
{
    const auto until = std::chrono::steady_clock::now() + kPortWait;
    for (;;) {
        auto bus = std::make_unique<RunBus>(choice);
        if (bus->isOpen() || busy == BusyPort::Fail || bus->openError() != orvelin::PortError::Busy ||
            std::chrono::steady_clock::now() >= until || interrupted())
            return bus;
        std::this_thread::sleep_for(kPortRetry);
    }
}

}  // namespace

std::optional<ServoSession> openServos(const CommonArgs& args, int& status, BusyPort busy)
{
    auto choice = choosePort(args, status, IdForm::List);
    if (!choice)
        return std::nullopt;
    ServoSession session{*choice, nullptr, {{choice->id}, false}};
    const bool all = args.id && *args.id == "all";
    if (args.id && !all) {
        auto ids = orvelin::parseIdList(*args.id);
        if (!ids) {
            complain(Msg::BadIdList, args.id->c_str());
            status = kExitUsage;
            return std::nullopt;
        }
        session.servos = {*ids, args.id->find_first_of(",-") != std::string::npos};
    }
    session.bus = openBus(*choice, busy);
    if (!portOpened(*session.bus, status))
        return std::nullopt;
    if (all) {
        auto ids = answeringServos(*session.bus, status);
        if (!ids)
            return std::nullopt;
        session.servos = {*ids, true};
    }
    return session;
}
