#include "orvelin/scan.h"

#include "link/id_sweep.h"
#include "link/protocol.h"
#include "link/registers.h"
#include "ops/bus/bus_access.h"
#include "ops/selector_choices.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <optional>

namespace orvelin {

namespace {

constexpr int kSidAddress = registerNamed("SYS_SID").address;
constexpr int kPartNumberAddress = registerNamed("SYS_PN").address;
constexpr int kVersionAddress = registerNamed("SYS_VER").address;

ScanFind findOf(int id, int baud)
{
    ScanFind find;
    find.baud = baud;
    find.outcome.id = id;
    find.outcome.expected = kBlockBytes;
    return find;
}

// One whole exchange with id on an emptied line: what the sweep saw of it
// is only a reason to ask. Nothing when the ID is silent. Without the quiet
// check the caller must make one for the reply to count.
std::optional<ScanFind> confirm(Bus& bus, int id, QuietCheck quiet)
{
    if (bytesWaiting(BusAccess::handle(bus)) > 0)
        BusAccess::drain(bus);
    ScanFind find = findOf(id, bus.baud());
    unsigned char block[kBlockBytes];
    BlockReply reply = probeBlockExchange(BusAccess::handle(bus), id, block, quiet);
    BusAccess::sawEcho(bus, reply.echoed);
    if (reply.received == 0) {
        // Bytes after the probe's time are this servo answering late, and
        // the line is empty again for the next ID.
        int late = awaitLateReply(BusAccess::handle(bus));
        if (late == 0)
            return std::nullopt;
        find.late = true;
        find.outcome.status = Status::StrayBytes;
        find.outcome.stray = late;
        return find;
    }
    find.outcome.received = reply.received;
    find.outcome.stray = reply.followed;
    if (reply.status == ReplyStatus::Short)
        find.outcome.status = Status::ShortReply;
    else if (reply.status == ReplyStatus::Followed)
        find.outcome.status = Status::StrayBytes;
    else if (block[kSidAddress] != id) {
        find.outcome.status = Status::StrayBytes;
        find.namedId = block[kSidAddress];
    }
    find.partNumber = decodeGroups(&block[kPartNumberAddress], registerNamed("SYS_PN").size);
    find.version = decodeGroups(&block[kVersionAddress], registerNamed("SYS_VER").size);
    return find;
}

// Each ID's exchange, and one wait for quiet at the end of them all. A
// second answer that comes late is read as the next ID's, so any answer of
// the round that is not a whole one of its own, or bytes waiting before an
// exchange or at the end, put the whole round in doubt: then each ID is
// asked again on its own, with its own wait.
std::vector<ScanFind> confirmAll(Bus& bus, const std::vector<int>& ids, const ScanCalls& calls)
{
    std::vector<ScanFind> finds;
    bool disturbed = false;
    for (int id : ids) {
        if (calls.stop && calls.stop())
            return finds;
        disturbed = disturbed || bytesWaiting(BusAccess::handle(bus)) > 0;
        std::optional<ScanFind> find = confirm(bus, id, QuietCheck::Skip);
        if (find) {
            disturbed = disturbed || !find->outcome.ok();
            finds.push_back(*find);
        }
    }
    if (!disturbed && BusAccess::drainQuiet(bus) == 0)
        return finds;
    finds.clear();
    for (int id : ids) {
        if (calls.stop && calls.stop())
            break;
        std::optional<ScanFind> find = confirm(bus, id, QuietCheck::After);
        // A reply that named another ID was in the way of this one's: once more.
        if (find && find->namedId >= 0)
            find = confirm(bus, id, QuietCheck::After);
        if (find)
            finds.push_back(*find);
    }
    return finds;
}

}  // namespace

std::vector<int> everyId()
{
    std::vector<int> ids(kServoIdCount);
    std::iota(ids.begin(), ids.end(), 0);
    return ids;
}

const std::vector<int>& everyBaudRate()
{
    static const std::vector<int> rates = [] {
        std::vector<int> all;
        for (const char* rate : kBaudChoices)
            all.push_back(std::atoi(rate));
        return all;
    }();
    return rates;
}

std::vector<ScanFind> scanIds(Bus& bus, const std::vector<int>& ids, const ScanCalls& calls, bool lastRate)
{
    std::vector<ScanFind> finds;
    if (!bus.isOpen())
        return finds;
    if (bytesWaiting(BusAccess::handle(bus)) > 0)
        BusAccess::drain(bus);
    bool stopped = false;
    SweepResult sweep = sweepIds(BusAccess::handle(bus), ids, {bus.baud(), bus.latencyUs(), lastRate}, [&](int id, std::size_t k) {
        stopped = calls.stop && calls.stop();
        if (!stopped && calls.tried)
            calls.tried(id, k, bus.baud());
        return !stopped;
    });
    BusAccess::sawEcho(bus, sweep.echoed);
    BusAccess::sawLatency(bus, sweep.latencyUs);
    if (stopped)
        return finds;
    std::vector<int> asked;
    for (int id : ids)
        if (std::ranges::find(sweep.named, id) != sweep.named.end()
            || std::ranges::find(sweep.unclear, id) != sweep.unclear.end())
            asked.push_back(id);
    finds = confirmAll(bus, asked, calls);
    if (calls.found)
        for (const ScanFind& find : finds)
            calls.found(find);
    return finds;
}

std::vector<ScanFind> scanRates(Bus& bus, const std::vector<int>& rates, const std::vector<int>& ids,
                                const ScanCalls& calls)
{
    std::vector<ScanFind> finds;
    const int inForce = bus.baud();
    for (std::size_t k = 0; k < rates.size(); ++k) {
        if (calls.stop && calls.stop())
            break;
        if (!bus.setBaud(rates[k])) {
            if (calls.rateRefused)
                calls.rateRefused(rates[k]);
            continue;
        }
        std::vector<ScanFind> atRate = scanIds(bus, ids, calls, k + 1 == rates.size());
        finds.insert(finds.end(), atRate.begin(), atRate.end());
    }
    bus.setBaud(inForce);
    return finds;
}

std::vector<int> answeringIds(Bus& bus, const std::vector<int>& ids)
{
    // A list someone typed is short: one whole exchange each, no sweep.
    std::vector<int> answering;
    if (!bus.isOpen())
        return answering;
    BusAccess::drain(bus);
    for (int id : ids)
        if (std::optional<ScanFind> find = confirm(bus, id, QuietCheck::After); find && find->outcome.ok())
            answering.push_back(id);
    return answering;
}

}  // namespace orvelin
