// From the configured port name to the device path in comPortName.
#pragma once

#include "link/port_settings.h"

// The buffer PORT is read into. Windows reads the 15 characters of a COM
// port name; a POSIX device path may fill comPortName, and one character
// more shows that a path did not fit.
#ifdef _WIN32
inline constexpr int kPortReadSize = 16;
#else
inline constexpr int kPortReadSize = static_cast<int>(kComPortNameSize) + 1;
#endif

// Sets comPortName for port. A name that does not fit is never shortened
// into another port's name: comPortName is left empty, which no open
// accepts.
void setDevicePath(const char* port);
