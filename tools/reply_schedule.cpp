#include "tools/reply_schedule.h"

std::vector<ReplyBurst> replySchedule(std::size_t count, std::chrono::nanoseconds byteTime,
                                      std::chrono::milliseconds latency,
                                      std::chrono::steady_clock::time_point start)
{
    std::vector<ReplyBurst> bursts;
    if (count == 0)
        return bursts;
    auto offWire = [&](std::size_t k) { return start + byteTime * static_cast<long long>(k + 1); };
    if (latency <= std::chrono::milliseconds::zero()) {
        if (byteTime <= std::chrono::nanoseconds::zero())
            return {{start, count}};
        for (std::size_t k = 0; k < count; ++k)
            bursts.push_back({offWire(k), 1});
        return bursts;
    }
    for (std::size_t first = 0; first < count;) {
        auto timerEnds = offWire(first) + latency;
        std::size_t end = first + 1;
        while (end < count && end - first < kAdapterBufferBytes && offWire(end) <= timerEnds)
            ++end;
        bool full = end - first == kAdapterBufferBytes;
        bursts.push_back({full ? offWire(end - 1) : timerEnds, end - first});
        first = end;
    }
    return bursts;
}
