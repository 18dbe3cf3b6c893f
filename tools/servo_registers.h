// The servo's register memory: its layout, its factory values and the
// 7-bit groups in which values wider than 7 bits are kept.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

inline constexpr int kRegisterBytes = 96;
using RegisterMemory = std::array<uint8_t, kRegisterBytes>;

// Bytes outside the memory read as erased FLASH does: all seven bits set.
inline constexpr uint8_t kErasedByte = 0x7F;

inline constexpr int kServoIdAddress = 0x08;  // SYS_SID
inline constexpr int kRestartAddress = 0x09;  // SYS_RST
inline constexpr int kPositionAddress = 0x20; // M_POS, 2 bytes
inline constexpr int kTargetAddress = 0x30;   // FB_TPOS, 2 bytes

// The memory of a servo with this ID as it leaves the factory.
RegisterMemory factoryRegisters(int id);

// Least significant group first.
uint32_t groupsValue(std::span<const uint8_t> groups);
std::vector<uint8_t> valueGroups(uint32_t value, int count);

// Copies what fits of bytes into memory from address on.
void copyInto(RegisterMemory& memory, int address, std::span<const uint8_t> bytes);
