#include "ops/sample_columns.h"

#include "link/registers.h"

#include <cstdio>

std::string seriesName(int id, int row, bool severalServos)
{
    const char* name = paramtbl[static_cast<std::size_t>(row)].name;
    if (!severalServos)
        return name;
    char text[16];
    std::snprintf(text, sizeof text, "%02X:%s", static_cast<unsigned>(id), name);
    return text;
}
