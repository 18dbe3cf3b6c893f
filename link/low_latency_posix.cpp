// Systems without a low-latency request of their serial drivers.
#include "link/low_latency.h"

LowLatencyGrant request_low_latency(int)
{
    return {LowLatency::Unavailable};
}

void release_low_latency(int, const LowLatencyGrant&) {}
