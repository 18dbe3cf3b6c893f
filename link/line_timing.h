// How long things take on a line whose pace is known: a byte's time on the
// wire, and how long after a reply the line must stay quiet for nothing to
// follow it. A search and the bus layer's quick checks wait this long
// instead of the port's fixed time-outs.
#pragma once

#include "link/wire_format.h"

// 10 bits a byte; zero when the rate is not known.
constexpr long byteTimeUs(int baud)
{
    return baud > 0 ? 10000000L / baud : 0;
}

// Until the line has shown it: an adapter whose timer runs at 1 ms, as a
// driver's low latency gives.
inline constexpr long kAssumedLatencyUs = 1000;
// Above the latency and the bytes' time: the servo's own turnaround.
inline constexpr long kTurnaroundUs = 300;

// What is known of how long after crossing the wire bytes reach this
// program (latencyUs, -1 unknown), else what is assumed.
constexpr long latencyOrAssumed(long latencyUs)
{
    return latencyUs >= 0 ? latencyUs : kAssumedLatencyUs;
}

// A second servo's reply to the same request (two servos on one ID) comes
// within a reply's time after the first.
constexpr int quietAfterReplyUs(int baud, int latencyUs)
{
    return static_cast<int>(latencyOrAssumed(latencyUs) + kBlockBytes * byteTimeUs(baud) + kTurnaroundUs);
}
