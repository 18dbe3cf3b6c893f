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

// The blocks of one servo, without the wait for quiet.
BusOutcome readBlocks(BusPort& port, int id, const BlockSet& blocks, ServoImage& image)
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
        int address = block * kBlockBytes;
        BlockReply reply = readBlockExchange(port.handle(), id, address, &image.bytes[static_cast<std::size_t>(address)]);
        outcome.received += reply.received;
        outcome.expected += kBlockBytes;
    }
    if (outcome.received == 0)
        outcome.status = BusStatus::NoReply;
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
    for (std::size_t k = 0; k < ids.size(); ++k)
        outcomes.push_back(readBlocks(port, ids[k], blocks, images[k]));
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
