#include "link/registers.h"

#include <cstdio>

unsigned char param[256];
int SendID = kHighestId;

int findParamRow(int address)
{
    for (int i = 0; paramtbl[i].name != nullptr; ++i)
        if (paramtbl[i].address == address)
            return i;
    return -1;
}

uint32_t paramValue(int row)
{
    const ParamDef& def = paramtbl[row];
    return decodeGroups(&param[def.address], def.size);
}

void formatValueText(char* out, std::size_t outSize, uint32_t value, int size)
{
    const char* fmt = size == 1 ? "0x%02X" : size == 2 ? "0x%04X" : "0x%08X";
    std::snprintf(out, outSize, fmt, static_cast<unsigned>(value));
}

void formatAddressText(char* out, std::size_t outSize, int address)
{
    std::snprintf(out, outSize, "0x%02X", static_cast<unsigned>(address));
}
