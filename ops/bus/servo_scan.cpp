#include "ops/bus/servo_scan.h"

#include "link/id_sweep.h"
#include "link/protocol.h"
#include "link/registers.h"
#include "ops/selector_choices.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

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
std::optional<ScanFind> confirm(BusPort& port, int id, QuietCheck quiet)
{
    if (bytesWaiting(port.handle()) > 0)
        port.drain();
    ScanFind find = findOf(id, port.baud());
    unsigned char block[kBlockBytes];
    BlockReply reply = probeBlockExchange(port.handle(), id, block, quiet);
    port.sawEcho(reply.echoed);
    if (reply.received == 0) {
        // Bytes after the probe's time are this servo answering late, and
        // the line is empty again for the next ID.
        int late = awaitLateReply(port.handle());
        if (late == 0)
            return std::nullopt;
        find.late = true;
        find.outcome.status = BusStatus::StrayBytes;
        find.outcome.stray = late;
        return find;
    }
    find.outcome.received = reply.received;
    find.outcome.stray = reply.followed;
    if (reply.status == ReplyStatus::Short)
        find.outcome.status = BusStatus::ShortReply;
    else if (reply.status == ReplyStatus::Followed)
        find.outcome.status = BusStatus::StrayBytes;
    else if (block[kSidAddress] != id) {
        find.outcome.status = BusStatus::StrayBytes;
        find.namedId = block[kSidAddress];
    }
    find.partNumber = decodeGroups(&block[kPartNumberAddress], registerNamed("SYS_PN").size);
    find.version = decodeGroups(&block[kVersionAddress], registerNamed("SYS_VER").size);
    return find;
}

// Each ID's exchange, and one wait for quiet at the end of them all. Bytes
// waiting before an exchange or there at the end may belong to any reply of
// the round, so then each ID is asked again on its own, with its own wait.
std::vector<ScanFind> confirmAll(BusPort& port, const std::vector<int>& ids, const ScanCalls& calls)
{
    std::vector<ScanFind> finds;
    bool surplus = false;
    for (int id : ids) {
        if (calls.stop && calls.stop())
            return finds;
        surplus = surplus || bytesWaiting(port.handle()) > 0;
        std::optional<ScanFind> find = confirm(port, id, QuietCheck::Skip);
        // A reply that named another ID was in the way of this one's: once more.
        if (find && find->namedId >= 0)
            find = confirm(port, id, QuietCheck::Skip);
        if (find)
            finds.push_back(*find);
    }
    if (!surplus && drainQuiet(port.handle(), quietAfterReplyUs({port.baud(), port.latencyUs()})) == 0)
        return finds;
    finds.clear();
    for (int id : ids) {
        if (calls.stop && calls.stop())
            break;
        if (std::optional<ScanFind> find = confirm(port, id, QuietCheck::After))
            finds.push_back(*find);
    }
    return finds;
}

}  // namespace

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

std::vector<ScanFind> scanIds(BusPort& port, const std::vector<int>& ids, const ScanCalls& calls, bool lastRate)
{
    std::vector<ScanFind> finds;
    if (!port.isOpen())
        return finds;
    if (bytesWaiting(port.handle()) > 0)
        port.drain();
    bool stopped = false;
    SweepResult sweep = sweepIds(port.handle(), ids, {port.baud(), port.latencyUs(), lastRate}, [&](int id, std::size_t k) {
        stopped = calls.stop && calls.stop();
        if (!stopped && calls.tried)
            calls.tried(id, k, port.baud());
        return !stopped;
    });
    port.sawEcho(sweep.echoed);
    port.sawLatency(sweep.latencyUs);
    if (stopped)
        return finds;
    std::vector<int> asked;
    for (int id : ids)
        if (std::ranges::find(sweep.named, id) != sweep.named.end()
            || std::ranges::find(sweep.unclear, id) != sweep.unclear.end())
            asked.push_back(id);
    finds = confirmAll(port, asked, calls);
    if (calls.found)
        for (const ScanFind& find : finds)
            calls.found(find);
    return finds;
}

std::vector<ScanFind> scanRates(BusPort& port, const std::vector<int>& rates, const std::vector<int>& ids,
                                const ScanCalls& calls)
{
    std::vector<ScanFind> finds;
    const int inForce = port.baud();
    for (std::size_t k = 0; k < rates.size(); ++k) {
        if (calls.stop && calls.stop())
            break;
        if (!port.setBaud(rates[k])) {
            if (calls.rateRefused)
                calls.rateRefused(rates[k]);
            continue;
        }
        std::vector<ScanFind> atRate = scanIds(port, ids, calls, k + 1 == rates.size());
        finds.insert(finds.end(), atRate.begin(), atRate.end());
    }
    port.setBaud(inForce);
    return finds;
}

std::vector<int> answeringIds(BusPort& port, const std::vector<int>& ids)
{
    // A list someone typed is short: one whole exchange each, no sweep.
    std::vector<int> answering;
    if (!port.isOpen())
        return answering;
    port.drain();
    for (int id : ids)
        if (std::optional<ScanFind> find = confirm(port, id, QuietCheck::After); find && find->outcome.ok())
            answering.push_back(id);
    return answering;
}
