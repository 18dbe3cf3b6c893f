// macOS: the serial driver's data-latency request, in microseconds, which
// USB-serial drivers that know it apply to the adapter's receive timer;
// the others refuse it. There is no request that reads the setting back,
// so nothing is restored.
#include "link/low_latency.h"

#include <IOKit/serial/ioss.h>
#include <sys/ioctl.h>

LowLatencyGrant request_low_latency(int fd)
{
    unsigned long microseconds = 1000;
    if (ioctl(fd, IOSSDATALAT, &microseconds) != 0)
        return {LowLatency::Refused};
    return {LowLatency::On};
}

void release_low_latency(int, const LowLatencyGrant&) {}
