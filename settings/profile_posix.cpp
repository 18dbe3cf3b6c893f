#include "settings/settings.h"

#include "settings/ini_file.h"

int profileGetString(const char* section, const char* key, const char* defaultValue, char* out, int outSize,
                     const char* file)
{
    return iniGetString(section, key, defaultValue, out, outSize, file);
}

bool profileWriteString(const char* section, const char* key, const char* value, const char* file)
{
    return iniWriteString(section, key, value, file);
}
