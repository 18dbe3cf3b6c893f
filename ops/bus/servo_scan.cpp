#include "ops/bus/servo_scan.h"

#include "link/protocol.h"

namespace {

void add(std::vector<ScanFind>& finds, const ScanFind& find, const ScanCalls& calls)
{
    finds.push_back(find);
    if (calls.found)
        calls.found(finds.back());
}

// Bytes that came after a probe's time are that probe's servo answering
// late: the line is emptied of them, and nothing of them is used.
ScanFind lateFind(int id, int bytes)
{
    ScanFind find;
    find.late = true;
    find.outcome.id = id;
    find.outcome.status = BusStatus::StrayBytes;
    find.outcome.expected = kBlockBytes;
    find.outcome.stray = bytes;
    return find;
}

}  // namespace

std::vector<ScanFind> scanIds(BusPort& port, const std::vector<int>& ids, const ScanCalls& calls)
{
    std::vector<ScanFind> finds;
    if (!port.isOpen())
        return finds;
    port.drain();
    for (std::size_t k = 0; k < ids.size(); ++k) {
        if (calls.stop && calls.stop())
            break;
        int id = ids[k];
        if (calls.tried)
            calls.tried(id, k);
        unsigned char block[kBlockBytes];
        BlockReply reply = probeBlockExchange(port.handle(), id, block);
        if (reply.received == 0) {
            // Bytes after the probe's time are this servo answering late, and
            // the line is empty again for the next ID.
            if (int late = awaitLateReply(port.handle()); late > 0)
                add(finds, lateFind(id, late), calls);
            continue;
        }
        ScanFind find;
        find.outcome.id = id;
        find.outcome.received = reply.received;
        find.outcome.expected = kBlockBytes;
        find.outcome.stray = reply.followed;
        if (reply.status == ReplyStatus::Short)
            find.outcome.status = BusStatus::ShortReply;
        else if (reply.status == ReplyStatus::Followed)
            find.outcome.status = BusStatus::StrayBytes;
        find.partNumber = decodeGroups(block, 2);
        find.version = decodeGroups(block + 2, 2);
        add(finds, find, calls);
    }
    return finds;
}

std::vector<int> answeringIds(BusPort& port, const std::vector<int>& ids)
{
    std::vector<int> answering;
    for (const ScanFind& find : scanIds(port, ids))
        if (find.outcome.ok())
            answering.push_back(find.outcome.id);
    return answering;
}
