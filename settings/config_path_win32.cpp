#include "settings/config_path.h"

#include <cstdio>
#include <cstdlib>

#include <windows.h>

bool placeIniFile(char* out, std::size_t size)
{
    if (size == 0) {
        return false;
    }
    out[0] = '\0';
    char module[1024];
    const DWORD length = GetModuleFileNameA(nullptr, module, sizeof module);
    // A cut module path would name another folder.
    if (length == 0 || length >= sizeof module) {
        return false;
    }
    char drive[sizeof module];
    char directory[sizeof module];
    _splitpath(module, drive, directory, nullptr, nullptr);
    const int written = std::snprintf(out, size, "%s%sservoconf.ini", drive, directory);
    if (written < 0 || static_cast<std::size_t>(written) >= size) {
        out[0] = '\0';
        return false;
    }
    return true;
}
