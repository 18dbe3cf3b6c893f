// Linux: the serial driver's low-latency flag. USB-serial drivers such as
// ftdi_sio then run the adapter's latency timer at 1 ms for as long as the
// flag is set. Changing only this flag needs no privilege on a port one has
// open; drivers without serial settings (a pseudo-terminal) refuse.
#include "link/low_latency.h"

#include <linux/serial.h>
#include <sys/ioctl.h>

LowLatencyGrant request_low_latency(int fd)
{
    serial_struct info{};
    if (ioctl(fd, TIOCGSERIAL, &info) != 0)
        return {LowLatency::Refused};
    if ((info.flags & ASYNC_LOW_LATENCY) != 0)
        return {LowLatency::On};
    const int previous = info.flags;
    info.flags |= ASYNC_LOW_LATENCY;
    // Some drivers accept the call and drop the flag: only a read-back tells.
    serial_struct check{};
    if (ioctl(fd, TIOCSSERIAL, &info) != 0 || ioctl(fd, TIOCGSERIAL, &check) != 0
        || (check.flags & ASYNC_LOW_LATENCY) == 0)
        return {LowLatency::Refused};
    return {LowLatency::On, true, previous};
}

void release_low_latency(int fd, const LowLatencyGrant& grant)
{
    serial_struct info{};
    if (!grant.restore || ioctl(fd, TIOCGSERIAL, &info) != 0)
        return;
    // Only the flag this program changed goes back; anything else set since stays.
    info.flags = static_cast<int>((info.flags & ~ASYNC_LOW_LATENCY) | (grant.previousFlags & ASYNC_LOW_LATENCY));
    ioctl(fd, TIOCSSERIAL, &info);
}
