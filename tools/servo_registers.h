// The servo's register memory: its layout, its factory values and the
// 7-bit groups in which values wider than 7 bits are kept.
#pragma once

#include "link/registers.h"
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

// The registers the servo acts on, from the programmer's own map.
inline constexpr int kServoIdAddress = registerNamed("SYS_SID").address;
inline constexpr int kRestartAddress = paramtbl[kRestart.row].address;
inline constexpr int kPositionAddress = registerNamed("M_POS").address;
inline constexpr int kTargetAddress = registerNamed("FB_TPOS").address;
inline constexpr int kPositionBytes = registerNamed("M_POS").size;
static_assert(registerNamed("FB_TPOS").size == kPositionBytes, "M_POS and FB_TPOS alike");

// The memory of a servo with this ID as it leaves the factory.
RegisterMemory factoryRegisters(int id);

// Least significant group first; bit 7 of a byte put in by hand is no part
// of its group.
uint32_t groupsValue(std::span<const uint8_t> groups);
std::vector<uint8_t> valueGroups(uint32_t value, int count);

// Copies what fits of bytes into memory from address on.
void copyInto(RegisterMemory& memory, int address, std::span<const uint8_t> bytes);
