#include "settings/device_path.h"

#include <cstring>

#include <windows.h>

void setDevicePath(const char* port)
{
    constexpr std::size_t kPrefixLength = 4;
    if (kPrefixLength + std::strlen(port) >= kComPortNameSize) {
        comPortName[0] = '\0';
        return;
    }
    wsprintfA(comPortName, "\\\\.\\%s", port);
}
