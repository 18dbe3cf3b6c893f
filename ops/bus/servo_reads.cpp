#include "orvelin/reads.h"

#include "link/protocol.h"
#include "link/registers.h"
#include "ops/bus/bus_access.h"

namespace orvelin {

BlockSet BlockSet::all()
{
    BlockSet set;
    set.blocks_.set();
    return set;
}

BlockSet BlockSet::forRows(const std::vector<int>& rows)
{
    BlockSet set;
    for (int row : rows)
        for (int k = 0; k < paramtbl[row].size; ++k)
            set.blocks_.set(static_cast<std::size_t>((paramtbl[row].address + k) / kBlockBytes));
    return set;
}

uint32_t ServoImage::value(int row) const
{
    const ParamDef& def = paramtbl[row];
    return decodeGroups(&bytes[static_cast<std::size_t>(def.address)], def.size);
}

namespace {

// Bytes already waiting before a request are the surplus of the reply
// before it (two servos answering as one, noise after a reply): that reply
// is not trusted, and the line is emptied so this request's reply is its own.
void takeSurplus(Bus& bus, Outcome* previous)
{
    if (bytesWaiting(BusAccess::handle(bus)) == 0)
        return;
    int stray = BusAccess::drain(bus);
    if (previous == nullptr)
        return;
    previous->stray += stray;
    if (previous->ok())
        previous->status = Status::StrayBytes;
}

// The blocks of one servo, without the wait for quiet at the end; before is
// the outcome of the servo read just before it in the round, if any.
Outcome readBlocks(Bus& bus, int id, const BlockSet& blocks, ServoImage& image, Outcome* before)
{
    image = ServoImage{};
    image.id = id;
    Outcome outcome;
    outcome.id = id;
    if (!bus.isOpen()) {
        outcome.status = Status::PortFailed;
        return outcome;
    }
    for (int block = 0; block < kBlockCount; ++block) {
        if (!blocks.has(block))
            continue;
        takeSurplus(bus, outcome.expected > 0 ? &outcome : before);
        int address = block * kBlockBytes;
        BlockReply reply =
            readBlockExchange(BusAccess::handle(bus), id, address, &image.bytes[static_cast<std::size_t>(address)]);
        BusAccess::sawEcho(bus, reply.echoed);
        outcome.received += reply.received;
        outcome.expected += kBlockBytes;
        // Bytes that began like the request's echo and were not.
        if (reply.followed > 0) {
            outcome.stray += reply.followed;
            outcome.status = Status::StrayBytes;
        }
    }
    if (outcome.received == 0)
        outcome.status = outcome.stray > 0 ? Status::StrayBytes : Status::NoReply;
    else if (outcome.received < outcome.expected)
        outcome.status = Status::ShortReply;
    return outcome;
}

// Surplus after the round: no reply of it is trusted, since a shifted one
// looks whole.
void judgeQuiet(std::vector<Outcome>& outcomes, int stray)
{
    if (stray == 0)
        return;
    for (Outcome& outcome : outcomes) {
        outcome.stray = stray;
        if (outcome.ok())
            outcome.status = Status::StrayBytes;
    }
}

}  // namespace

Outcome readServo(Bus& bus, int id, const BlockSet& blocks, ServoImage& image)
{
    std::vector<ServoImage> images;
    Outcome outcome = readRound(bus, {id}, blocks, images).front();
    image = images.front();
    return outcome;
}

std::vector<Outcome> readRound(Bus& bus, const std::vector<int>& ids, const BlockSet& blocks,
                               std::vector<ServoImage>& images, Quiet quiet)
{
    std::vector<Outcome> outcomes = readRoundUnchecked(bus, ids, blocks, images);
    judgeRound(bus, outcomes, quiet);
    return outcomes;
}

std::vector<Reading> readRegisters(Bus& bus, const std::vector<int>& ids, const std::vector<int>& rows, Quiet quiet)
{
    std::vector<ServoImage> images;
    std::vector<Outcome> outcomes = readRound(bus, ids, BlockSet::forRows(rows), images, quiet);
    std::vector<Reading> readings;
    readings.reserve(ids.size());
    for (std::size_t k = 0; k < ids.size(); ++k)
        readings.push_back({outcomes[k], images[k]});
    return readings;
}

std::vector<Outcome> readRoundUnchecked(Bus& bus, const std::vector<int>& ids, const BlockSet& blocks,
                                        std::vector<ServoImage>& images)
{
    images.assign(ids.size(), ServoImage{});
    std::vector<Outcome> outcomes;
    outcomes.reserve(ids.size());
    for (std::size_t k = 0; k < ids.size(); ++k)
        outcomes.push_back(readBlocks(bus, ids[k], blocks, images[k], k > 0 ? &outcomes[k - 1] : nullptr));
    return outcomes;
}

void judgeRound(Bus& bus, std::vector<Outcome>& outcomes, Quiet quiet)
{
    if (!bus.isOpen())
        return;
    int stray = 0;
    if (quiet == Quiet::Paced)
        stray = BusAccess::drainQuiet(bus);
    // Bytes already waiting are emptied too, so the next round starts clean.
    else if (quiet == Quiet::Drain || bytesWaiting(BusAccess::handle(bus)) > 0)
        stray = BusAccess::drain(bus);
    judgeQuiet(outcomes, stray);
}

}  // namespace orvelin
