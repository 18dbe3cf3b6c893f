// Kept apart from serial_posix.cpp: Linux's termios2 header cannot share a
// translation unit with <termios.h>.
#include "link/custom_baud.h"

#include <sys/ioctl.h>

#if defined(__linux__)
#include <asm/termbits.h>

bool set_custom_baud(int fd, int baud)
{
    struct termios2 tio {};
    if (ioctl(fd, TCGETS2, &tio) != 0)
        return false;
    tio.c_cflag &= ~CBAUD;
    tio.c_cflag |= BOTHER;
    tio.c_ispeed = static_cast<speed_t>(baud);
    tio.c_ospeed = static_cast<speed_t>(baud);
    return ioctl(fd, TCSETS2, &tio) == 0;
}

#elif defined(__APPLE__)
#include <IOKit/serial/ioss.h>

bool set_custom_baud(int fd, int baud)
{
    speed_t speed = static_cast<speed_t>(baud);
    return ioctl(fd, IOSSIOSPEED, &speed) == 0;
}

#else
#include <termios.h>

// The BSDs take the rate itself as the speed value.
bool set_custom_baud(int fd, int baud)
{
    termios tio{};
    if (tcgetattr(fd, &tio) != 0 || cfsetspeed(&tio, static_cast<speed_t>(baud)) != 0)
        return false;
    return tcsetattr(fd, TCSANOW, &tio) == 0;
}
#endif
