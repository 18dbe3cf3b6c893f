// The port settings in force: every command opens the port with these.
// Kept apart from the serial code so the configuration file can set them
// without the link.
#pragma once

#include <cstddef>

// On Windows comPortName is the device prefix and a name such as COM3; a
// POSIX device path (/dev/serial/by-id/...) may be as long as any path the
// system accepts (PATH_MAX).
#ifdef _WIN32
inline constexpr std::size_t kComPortNameSize = 16;
#else
inline constexpr std::size_t kComPortNameSize = 4096;
#endif
extern char comPortName[kComPortNameSize];
extern int baudRate;
