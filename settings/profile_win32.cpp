#include "settings/settings.h"

#include "settings/ini_file.h"

#include <windows.h>

int profileGetString(const char* section, const char* key, const char* defaultValue, char* out, int outSize,
                     const char* file)
{
    if (out == nullptr || outSize <= 0) {
        return 0;
    }
    return static_cast<int>(
        GetPrivateProfileStringA(section, key, defaultValue, out, static_cast<DWORD>(outSize), file));
}

bool profileWriteString(const char* section, const char* key, const char* value, const char* file)
{
    // The system function would write a line break through and so make new
    // keys or sections; the same entries are refused on every platform.
    return iniEntryWritable(section, key, value) &&
           WritePrivateProfileStringA(section, key, value, file) != FALSE;
}
