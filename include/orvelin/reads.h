// Trusted reads of servos' registers: only the blocks of memory that hold
// the registers asked for, every byte come and nothing after the replies.
#pragma once

#include "orvelin/bus.h"
#include "orvelin/outcome.h"
#include "orvelin/registers.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

namespace orvelin {

// Which of the memory's six 16-byte blocks a read takes.
class BlockSet {
public:
    static BlockSet all();
    // The blocks that hold these registers (rows).
    static BlockSet forRows(const std::vector<int>& rows);
    bool has(int block) const { return blocks_.test(static_cast<std::size_t>(block)); }
    int count() const { return static_cast<int>(blocks_.count()); }

private:
    std::bitset<kMemoryBytes / 16> blocks_;
};

// One servo's memory as it was read; blocks not read stay zero.
struct ServoImage {
    int id = 0;
    std::array<unsigned char, kMemoryBytes> bytes{};

    // The register's value, decoded from its 7-bit groups.
    uint32_t value(int row) const;
};

// How the end of a round is judged, its replies trusted only when nothing
// follows them: Now, no byte is waiting yet (for sampling, where the next
// round's requests follow); Drain, a read of one byte with the port's
// time-outs (20 ms) brings nothing; Paced, the line stays quiet for as long
// as a reply takes to follow at its rate, behind its latency as far as it is
// known (about 3 ms at 115200 baud; the wait a scan's find makes).
enum class Quiet { Now, Drain, Paced };

// Reads the blocks of one servo, then waits for the line to be quiet.
Outcome readServo(Bus& bus, int id, const BlockSet& blocks, ServoImage& image);

// One round over several servos: each servo's blocks, then one wait for
// quiet at the end. A reply shifted by a stray byte leaves its surplus at
// the round's end, so any surplus fails every servo of the round. images
// gets one entry per ID, in order; the outcomes too.
std::vector<Outcome> readRound(Bus& bus, const std::vector<int>& ids, const BlockSet& blocks,
                               std::vector<ServoImage>& images, Quiet quiet = Quiet::Drain);

// One servo's part of a round: how its read ended, and what came.
struct Reading {
    Outcome outcome;
    ServoImage image;  // its values are to be used only when outcome is Ok
};

// The registers (rows) of each of ids in one round: only the blocks that hold
// them, then one wait for quiet (readRound). One reading per ID, in order.
std::vector<Reading> readRegisters(Bus& bus, const std::vector<int>& ids, const std::vector<int>& rows,
                                   Quiet quiet = Quiet::Drain);

// Repeated rounds (sampling) need not wait for quiet after each: bytes
// already waiting when the next round is due are this round's surplus. So a
// round read unchecked is judged when the next one starts (Quiet::Now, no
// wait), or at the end of the run (Quiet::Drain).
std::vector<Outcome> readRoundUnchecked(Bus& bus, const std::vector<int>& ids, const BlockSet& blocks,
                                        std::vector<ServoImage>& images);
void judgeRound(Bus& bus, std::vector<Outcome>& outcomes, Quiet quiet);

}  // namespace orvelin
