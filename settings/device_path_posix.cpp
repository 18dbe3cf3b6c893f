#include "settings/device_path.h"

#include <cstring>

// There is no device namespace here: the configured name is the path.
void setDevicePath(const char* port)
{
    const auto length = std::strlen(port);
    if (length >= kComPortNameSize) {
        comPortName[0] = '\0';
        return;
    }
    std::memcpy(comPortName, port, length + 1);
}
