// The servo's register map and the host's copy of its register memory.
#pragma once

#include "link/wire_format.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

struct ParamDef {
    const char* name;  // null in the terminator row
    int address;       // 0x00..0x5F
    int size;          // 1, 2 or 4 bytes of 7 bits each; 0 in the terminator row
};

inline constexpr int kParamRows = 63;
// Four registers a line, as the table is usually read.
// clang-format off
inline constexpr std::array<ParamDef, kParamRows + 1> paramtbl = {{
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

// The row of the register with this name, found while compiling: a name
// that is not in the table does not compile. Code names registers this way
// rather than by row number or address.
constexpr int findRegisterRow(std::string_view name)
{
    for (int i = 0; i < kParamRows; ++i)
        if (paramtbl[static_cast<std::size_t>(i)].name == name)
            return i;
    return -1;
}
consteval int registerRow(std::string_view name)
{
    if (findRegisterRow(name) < 0)
        throw "no register of this name";
    return findRegisterRow(name);
}
consteval const ParamDef& registerNamed(std::string_view name)
{
    return paramtbl[static_cast<std::size_t>(registerRow(name))];
}

// Registers that are no settings of the servo's: what it is (part number,
// firmware version, serial number), requests to it (restart, unlock), and
// readings that change by themselves. A firmware update may change the
// first, and none of them is written back as a setting.
inline constexpr std::array<std::string_view, 14> kNotSettings = {
    "SYS_PN", "SYS_VER", "SYS_UID", "SYS_RST", "SYS_ULK", "M_POS",   "M_SPD",
    "M_VE",   "M_TEMP",  "M_VI",    "M_IERR",  "M_ENC",   "FB_TPOS", "PWM_OUT",
};
constexpr bool isSettingRow(int row)
{
    for (std::string_view name : kNotSettings)
        if (name == paramtbl[static_cast<std::size_t>(row)].name)
            return false;
    return true;
}
static_assert(std::ranges::all_of(kNotSettings, [](std::string_view name) { return findRegisterRow(name) >= 0; }),
              "every name is a register's");

// The writes the operations make by register and value: the settings clear
// (a FLASH write the servo takes as "clear"), the restart request after which
// the servo runs on its FLASH values, and the unlock before an upload.
struct RegisterWrite {
    int row;
    uint32_t value;
};
inline constexpr RegisterWrite kSettingsClear = {registerRow("SYS_PN"), 0x3E8};
inline constexpr RegisterWrite kRestart = {registerRow("SYS_RST"), 1};
inline constexpr RegisterWrite kUnlock = {registerRow("SYS_ULK"), 0x6A};

// The servo's 96 register bytes as last read, indexed by address.
extern unsigned char param[256];

// ID carried in the header byte of every addressed packet (0x00..0x3F).
extern int SendID;

// Row index of the register at this address, or -1.
int findParamRow(int address);

// Row r's value decoded from param.
uint32_t paramValue(int row);

// "0x%02X" / "0x%04X" / "0x%08X" by register size; out holds at least 11 bytes.
void formatValueText(char* out, std::size_t outSize, uint32_t value, int size);
void formatAddressText(char* out, std::size_t outSize, int address);
