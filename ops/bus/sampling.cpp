#include "orvelin/sampling.h"

#include "link/line_timing.h"

#include <algorithm>
#include <thread>

namespace orvelin {

namespace {

using Clock = std::chrono::steady_clock;

bool allOk(const std::vector<Outcome>& outcomes)
{
    return std::ranges::all_of(outcomes, &Outcome::ok);
}

// How long after a round the line must stay quiet for nothing to follow it.
Clock::duration quietAfter(const Bus& bus)
{
    return std::chrono::microseconds(quietAfterReplyUs(bus.baud(), bus.latencyUs()));
}

}  // namespace

Sampler::Sampler(Bus& bus, std::vector<int> ids, BlockSet blocks) : bus_(bus), ids_(std::move(ids)), blocks_(blocks)
{
}

bool Sampler::judgeNewest(Quiet quiet)
{
    if (!newest_)
        return true;
    judgeRound(bus_, newest_->outcomes, quiet);
    if (!allOk(newest_->outcomes)) {
        failure_ = std::move(newest_);
        newest_.reset();
        held_.clear();
        return false;
    }
    held_.push_back(std::move(*newest_));
    newest_.reset();
    return true;
}

std::vector<Sampler::Round> Sampler::release(Clock::time_point until)
{
    std::vector<Round> trusted;
    const Clock::duration quiet = quietAfter(bus_);
    while (!held_.empty() && held_.front().readAt + quiet <= until) {
        trusted.push_back(std::move(held_.front()));
        held_.pop_front();
    }
    return trusted;
}

std::vector<Sampler::Round> Sampler::sample()
{
    if (failure_)
        return {};
    // The line is empty now: every round that ended long enough ago had
    // nothing after it.
    const Clock::time_point judgedAt = Clock::now();
    if (!judgeNewest(Quiet::Now))
        return {};
    std::vector<Round> trusted = release(judgedAt);
    Round round;
    round.outcomes = readRoundUnchecked(bus_, ids_, blocks_, round.images);
    round.readAt = Clock::now();
    if (!allOk(round.outcomes)) {
        // Bytes of a round still held may be what shifted this one.
        failure_ = std::move(round);
        held_.clear();
        return trusted;
    }
    newest_ = std::move(round);
    return trusted;
}

std::vector<Sampler::Round> Sampler::finish()
{
    if (failure_)
        return {};
    if (newest_)
        std::this_thread::sleep_until(newest_->readAt + quietAfter(bus_));
    if (!judgeNewest(Quiet::Drain))
        return {};
    return release(Clock::time_point::max());
}

}  // namespace orvelin
