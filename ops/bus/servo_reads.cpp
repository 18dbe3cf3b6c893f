#include "ops/bus/servo_reads.h"

#include "link/registers.h"

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
void takeSurplus(BusPort& port, BusOutcome* previous)
{
    if (bytesWaiting(port.handle()) == 0)
        return;
    int stray = port.drain();
    if (previous == nullptr)
        return;
    previous->stray += stray;
    if (previous->ok())
        previous->status = BusStatus::StrayBytes;
}

// The blocks of one servo, without the wait for quiet at the end; before is
// the outcome of the servo read just before it in the round, if any.
BusOutcome readBlocks(BusPort& port, int id, const BlockSet& blocks, ServoImage& image, BusOutcome* before)
{
    image = ServoImage{};
    image.id = id;
    BusOutcome outcome;
    outcome.id = id;
    if (!port.isOpen()) {
        outcome.status = BusStatus::PortFailed;
        return outcome;
    }
    for (int block = 0; block < kBlockCount; ++block) {
        if (!blocks.has(block))
            continue;
        takeSurplus(port, outcome.expected > 0 ? &outcome : before);
        int address = block * kBlockBytes;
        BlockReply reply = readBlockExchange(port.handle(), id, address, &image.bytes[static_cast<std::size_t>(address)]);
        outcome.received += reply.received;
        outcome.expected += kBlockBytes;
    }
    if (outcome.received == 0)
        outcome.status = outcome.stray > 0 ? BusStatus::StrayBytes : BusStatus::NoReply;
    else if (outcome.received < outcome.expected)
        outcome.status = BusStatus::ShortReply;
    return outcome;
}

// Surplus after the round: no reply of it is trusted, since a shifted one
// looks whole.
void judgeQuiet(std::vector<BusOutcome>& outcomes, int stray)
{
    if (stray == 0)
        return;
    for (BusOutcome& outcome : outcomes) {
        outcome.stray = stray;
        if (outcome.ok())
            outcome.status = BusStatus::StrayBytes;
    }
}

}  // namespace

BusOutcome readServo(BusPort& port, int id, const BlockSet& blocks, ServoImage& image)
{
    std::vector<ServoImage> images;
    BusOutcome outcome = readRound(port, {id}, blocks, images).front();
    image = images.front();
    return outcome;
}

std::vector<BusOutcome> readRound(BusPort& port, const std::vector<int>& ids, const BlockSet& blocks,
                                  std::vector<ServoImage>& images)
{
    std::vector<BusOutcome> outcomes = readRoundUnchecked(port, ids, blocks, images);
    judgeRound(port, outcomes, Quiet::Drain);
    return outcomes;
}

std::vector<BusOutcome> readRoundUnchecked(BusPort& port, const std::vector<int>& ids, const BlockSet& blocks,
                                           std::vector<ServoImage>& images)
{
    images.assign(ids.size(), ServoImage{});
    std::vector<BusOutcome> outcomes;
    outcomes.reserve(ids.size());
    for (std::size_t k = 0; k < ids.size(); ++k)
        outcomes.push_back(readBlocks(port, ids[k], blocks, images[k], k > 0 ? &outcomes[k - 1] : nullptr));
    return outcomes;
}

void judgeRound(BusPort& port, std::vector<BusOutcome>& outcomes, Quiet quiet)
{
    if (!port.isOpen())
        return;
    // Bytes already waiting are emptied too, so the next round starts clean.
    int stray = quiet == Quiet::Drain || bytesWaiting(port.handle()) > 0 ? port.drain() : 0;
    judgeQuiet(outcomes, stray);
}
