// Repeated rounds of reads over several servos, as watching registers takes
// them: one round after another without a wait for quiet after each. A
// round is given out only once the line has shown that nothing followed it:
// a later round found the line empty when it began, at least as long after
// this round as a second reply would take to come (two servos on one ID, a
// reply held by an adapter's timer). A round that fails ends the sampling,
// and the rounds still held are not given out: bytes that came late may be
// theirs.
#pragma once

#include "orvelin/bus.h"
#include "orvelin/outcome.h"
#include "orvelin/reads.h"

#include <chrono>
#include <deque>
#include <optional>
#include <vector>

namespace orvelin {

class Sampler {
public:
    struct Round {
        std::vector<ServoImage> images;  // one per ID, in order
        std::vector<Outcome> outcomes;
        std::chrono::steady_clock::time_point readAt;  // when its replies were in
    };

    Sampler(Bus& bus, std::vector<int> ids, BlockSet blocks);

    // Reads one round, and returns the rounds trusted by now, oldest first.
    // Nothing more once a round has failed (failure() says which).
    std::vector<Round> sample();
    // The end: waits for the line to be quiet and returns the rounds still
    // held, or fails the last.
    std::vector<Round> finish();
    // The round whose outcomes failed, if one did.
    const std::optional<Round>& failure() const { return failure_; }

private:
    bool judgeNewest(Quiet quiet);
    std::vector<Round> release(std::chrono::steady_clock::time_point until);

    Bus& bus_;
    std::vector<int> ids_;
    BlockSet blocks_;
    std::optional<Round> newest_;  // read, not yet judged
    std::deque<Round> held_;       // judged whole, waiting for the line to prove them
    std::optional<Round> failure_;
};

}  // namespace orvelin
