// The servo's register map and the host's copy of its register memory.
#pragma once

#include "link/wire_format.h"

#include <array>
#include <cstddef>
#include <cstdint>

struct ParamDef {
    const char* name;  // null in the terminator row
    int address;       // 0x00..0x5F
    int size;          // 1, 2 or 4 bytes of 7 bits each; 0 in the terminator row
};

inline constexpr int kParamRows = 63;
extern const std::array<ParamDef, kParamRows + 1> paramtbl;

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
