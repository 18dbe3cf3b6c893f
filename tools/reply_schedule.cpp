#include "tools/reply_schedule.h"

using Clock = std::chrono::steady_clock;

std::vector<Clock::time_point> offWire(std::size_t count, std::chrono::nanoseconds byteTime, Clock::time_point start)
{
    std::vector<Clock::time_point> times;
    for (std::size_t k = 0; k < count; ++k)
        times.push_back(start + byteTime * static_cast<long long>(k + 1));
    return times;
}

std::vector<ReplyBurst> adapterBursts(std::span<const Clock::time_point> arrivals, std::chrono::milliseconds latency)
{
    std::vector<ReplyBurst> bursts;
    if (latency <= std::chrono::milliseconds::zero()) {
        for (Clock::time_point at : arrivals) {
            if (!bursts.empty() && bursts.back().at == at)
                ++bursts.back().bytes;
            else
                bursts.push_back({at, 1});
        }
        return bursts;
    }
    for (std::size_t first = 0; first < arrivals.size();) {
        auto timerEnds = arrivals[first] + latency;
        std::size_t end = first + 1;
        while (end < arrivals.size() && end - first < kAdapterBufferBytes && arrivals[end] <= timerEnds)
            ++end;
        bool full = end - first == kAdapterBufferBytes;
        bursts.push_back({full ? arrivals[end - 1] : timerEnds, end - first});
        first = end;
    }
    return bursts;
}

std::vector<ReplyBurst> replySchedule(std::size_t count, std::chrono::nanoseconds byteTime,
                                      std::chrono::milliseconds latency, Clock::time_point start)
{
    return adapterBursts(offWire(count, byteTime, start), latency);
}
