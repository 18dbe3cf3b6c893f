// The servo's register memory: its layout, its factory values and the
// 7-bit groups in which values wider than 7 bits are kept.
#pragma once

#include "link/wire_format.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

using RegisterMemory = std::array<uint8_t, kRegisterBytes>;

// A servo leaves the factory with the highest ID.
inline constexpr int kFactoryId = kHighestId;

// Bytes outside the memory read as erased FLASH does: all seven bits set.
inline constexpr uint8_t kErasedByte = kGroupMask;

// The sizes a register comes in, in bytes of one group each.
inline constexpr std::array kRegisterSizes = {1, 2, 4};

inline constexpr int kServoIdAddress = 0x08;  // SYS_SID
inline constexpr int kRestartAddress = 0x09;  // SYS_RST
inline constexpr int kPositionAddress = 0x20; // M_POS
inline constexpr int kTargetAddress = 0x30;   // FB_TPOS
inline constexpr int kPositionBytes = 2;      // M_POS and FB_TPOS alike

// The memory of a servo with this ID as it leaves the factory.
RegisterMemory factoryRegisters(int id);

// Least significant group first; bit 7 of a byte put in by hand is no part
// of its group.
uint32_t groupsValue(std::span<const uint8_t> groups);
std::vector<uint8_t> valueGroups(uint32_t value, int count);

// Copies what fits of bytes into memory from address on.
void copyInto(RegisterMemory& memory, int address, std::span<const uint8_t> bytes);
