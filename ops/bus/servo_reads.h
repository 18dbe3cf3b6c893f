// Trusted reads of servos' registers: only the blocks that hold the
// registers asked for, every byte come and nothing after the replies.
#pragma once

#include "link/protocol.h"
#include "ops/bus/bus_port.h"
#include "ops/bus/outcome.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

// Which of the register memory's blocks a read takes.
class BlockSet {
public:
    static BlockSet all();
    // The blocks that hold these paramtbl rows.
    static BlockSet forRows(const std::vector<int>& rows);
    bool has(int block) const { return blocks_.test(static_cast<std::size_t>(block)); }
    int count() const { return static_cast<int>(blocks_.count()); }

private:
    std::bitset<kBlockCount> blocks_;
};

// One servo's register memory as it was read; blocks not read stay zero.
struct ServoImage {
    int id = 0;
    std::array<unsigned char, kRegisterBytes> bytes{};

    // Row r's value, decoded as the windows show it.
    uint32_t value(int row) const;
};

// Reads the blocks of one servo, then waits for the line to be quiet.
BusOutcome readServo(BusPort& port, int id, const BlockSet& blocks, ServoImage& image);

// One round over several servos: each servo's blocks, then one wait for
// quiet at the end. A reply shifted by a stray byte leaves its surplus at
// the round's end, so any surplus fails every servo of the round. images
// gets one entry per ID, in order; the outcomes too.
std::vector<BusOutcome> readRound(BusPort& port, const std::vector<int>& ids, const BlockSet& blocks,
                                  std::vector<ServoImage>& images);

// Repeated rounds (watch) need not wait for quiet after each: bytes already
// waiting when the next round is due are this round's surplus. So a round
// read unchecked is judged when the next one starts (Quiet::Now, no wait),
// or at the end of the run (Quiet::Drain).
std::vector<BusOutcome> readRoundUnchecked(BusPort& port, const std::vector<int>& ids, const BlockSet& blocks,
                                           std::vector<ServoImage>& images);
enum class Quiet { Now, Drain };
void judgeRound(BusPort& port, std::vector<BusOutcome>& outcomes, Quiet quiet);
