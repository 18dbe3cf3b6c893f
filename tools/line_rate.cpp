#include "tools/line_rate.h"

#include <sys/ioctl.h>

#if defined(__linux__)
#include <asm/termbits.h>
#endif

#if defined(TCGETS2)

// Any rate, BOTHER's included: the kernel keeps the speed itself in c_ospeed.
int lineRate(int masterFd)
{
    struct termios2 tio {};
    return ioctl(masterFd, TCGETS2, &tio) == 0 ? static_cast<int>(tio.c_ospeed) : 0;
}

#else
#include <termios.h>

// Where termios2 is missing, the speed values are the rates themselves.
int lineRate(int masterFd)
{
    termios tio{};
    return tcgetattr(masterFd, &tio) == 0 ? static_cast<int>(cfgetospeed(&tio)) : 0;
}
#endif
