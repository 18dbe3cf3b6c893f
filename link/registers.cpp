#include "link/registers.h"

#include <cstdio>

// Four registers a line, as the table is usually read.
// clang-format off
constinit const std::array<ParamDef, kParamRows + 1> paramtbl = {{
    {"SYS_PN", 0x00, 2},  {"SYS_VER", 0x02, 2}, {"SYS_UID", 0x04, 4}, {"SYS_SID", 0x08, 1},
    {"SYS_RST", 0x09, 1}, {"SYS_BR", 0x0A, 2},  {"SYS_T0", 0x0C, 2},  {"SYS_RID", 0x0E, 1},
    {"SYS_PCT", 0x10, 1}, {"SYS_DCT", 0x11, 1}, {"SYS_ECT", 0x12, 1}, {"SYS_MSF", 0x13, 1},
    {"SYS_ULK", 0x14, 1}, {"PWM_PSN", 0x18, 1}, {"PWM_PSA", 0x19, 1}, {"PWM_SST", 0x1A, 2},
    {"PWM_SLP", 0x1C, 2}, {"PWM_PSO", 0x1E, 1}, {"M_POS", 0x20, 2},   {"M_SPD", 0x22, 2},
    {"M_VE", 0x24, 2},    {"M_TEMP", 0x26, 2},  {"M_VI", 0x28, 2},    {"M_IERR", 0x2A, 2},
    {"M_ENC", 0x2C, 4},   {"FB_TPOS", 0x30, 2}, {"FB_PG", 0x32, 1},   {"FB_DG", 0x33, 1},
    {"FB_EG", 0x34, 1},   {"FB_IG", 0x35, 1},   {"FB_ILIM", 0x36, 2}, {"FB_PDB", 0x38, 1},
    {"FB_DDB", 0x39, 1},  {"FB_EDB", 0x3A, 1},  {"PWM_EN", 0x3B, 1},  {"PWM_LIM", 0x3C, 1},
    {"PWM_PCH", 0x3D, 1}, {"PWM_OUT", 0x3E, 2}, {"AL_TEMP", 0x40, 2}, {"SD_TEMP", 0x42, 2},
    {"AL_VI", 0x44, 2},   {"SD_VI", 0x46, 2},   {"VIB_OTH", 0x48, 1}, {"VIB_STH", 0x49, 1},
    {"BST_DUM", 0x4D, 1}, {"BST_LEN", 0x4E, 1}, {"BST_SYN", 0x4F, 1}, {"BST_WA0", 0x50, 1},
    {"BST_WA1", 0x51, 1}, {"BST_WA2", 0x52, 1}, {"BST_WA3", 0x53, 1}, {"BST_WA4", 0x54, 1},
    {"BST_WA5", 0x55, 1}, {"BST_WA6", 0x56, 1}, {"BST_WA7", 0x57, 1}, {"BST_RA0", 0x58, 1},
    {"BST_RA1", 0x59, 1}, {"BST_RA2", 0x5A, 1}, {"BST_RA3", 0x5B, 1}, {"BST_RA4", 0x5C, 1},
    {"BST_RA5", 0x5D, 1}, {"BST_RA6", 0x5E, 1}, {"BST_RA7", 0x5F, 1}, {nullptr, 0, 0},
}};
// clang-format on

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
