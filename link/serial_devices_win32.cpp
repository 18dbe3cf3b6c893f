#include "link/serial_devices.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

std::vector<SerialDevice> listSerialDevices()
{
    // QueryDosDevice with no name lists every DOS device; the buffer grows
    // until the list fits.
    std::vector<char> names(16 * 1024);
    while (QueryDosDeviceA(nullptr, names.data(), static_cast<DWORD>(names.size())) == 0) {
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || names.size() > 16 * 1024 * 1024)
            return {};
        names.resize(names.size() * 2);
    }
    std::vector<int> numbers;
    for (const char* p = names.data(); *p != '\0'; p += std::strlen(p) + 1) {
        char* end = nullptr;
        if (std::strncmp(p, "COM", 3) == 0) {
            long n = std::strtol(p + 3, &end, 10);
            if (end != p + 3 && *end == '\0' && n > 0)
                numbers.push_back(static_cast<int>(n));
        }
    }
    std::sort(numbers.begin(), numbers.end());
    std::vector<SerialDevice> devices;
    for (int n : numbers)
        devices.push_back({"COM" + std::to_string(n), {}, std::nullopt});
    return devices;
}
