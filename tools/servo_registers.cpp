#include "tools/servo_registers.h"

#include <algorithm>

namespace {

// Every byte is non-zero so that a byte the host failed to receive (left 0)
// never passes for one it did.
// One line per register, its bytes aligned.
// clang-format off
constexpr auto kFactory = std::to_array<uint8_t>({
    0x35, 0x18,              // 00 SYS_PN   part number 0x0C35
    0x03, 0x02,              // 02 SYS_VER  firmware 0x0103
    0x40, 0x3C, 0x2B, 0x1A,  // 04 SYS_UID  serial number; first group carries the ID
    0x3F,                    // 08 SYS_SID  the ID
    0x01,                    // 09 SYS_RST  last restart: power-on
    0x20, 0x38,              // 0A SYS_BR   baud divider 0x1C20
    0x05, 0x14,              // 0C SYS_T0   0x0A05
    0x01,                    // 0E SYS_RID  reply delay
    kErasedByte,             // 0F
    0x0A, 0x14, 0x1E, 0x03,  // 10 SYS_PCT SYS_DCT SYS_ECT SYS_MSF
    0x01,                    // 14 SYS_ULK
    kErasedByte, kErasedByte, kErasedByte,  // 15..17
    0x08, 0x10,              // 18 PWM_PSN PWM_PSA
    0x10, 0x03,              // 1A PWM_SST  400
    0x48, 0x01,              // 1C PWM_SLP  200
    0x04,                    // 1E PWM_PSO
    kErasedByte,             // 1F
    0x01, 0x10,              // 20 M_POS    0x0801, near the middle of travel
    0x0C, 0x01,              // 22 M_SPD
    0x68, 0x39,              // 24 M_VE     7400 mV
    0x1D, 0x02,              // 26 M_TEMP   28.5 degrees
    0x05, 0x02,              // 28 M_VI
    0x02, 0x01,              // 2A M_IERR
    0x04, 0x06, 0x08, 0x01,  // 2C M_ENC
    0x01, 0x10,              // 30 FB_TPOS  where M_POS rests
    0x20, 0x10, 0x08, 0x04,  // 32 FB_PG FB_DG FB_EG FB_IG
    0x20, 0x06,              // 36 FB_ILIM  800
    0x02, 0x02, 0x02,        // 38 FB_PDB FB_DDB FB_EDB
    0x01, 0x64, 0x05,        // 3B PWM_EN PWM_LIM PWM_PCH
    0x01, 0x02,              // 3E PWM_OUT
    0x3C, 0x05,              // 40 AL_TEMP  70.0 degrees
    0x52, 0x06,              // 42 SD_TEMP  85.0 degrees
    0x5C, 0x0B,              // 44 AL_VI    1500
    0x50, 0x0F,              // 46 SD_VI    2000
    0x30, 0x40,              // 48 VIB_OTH VIB_STH
    kErasedByte, kErasedByte, kErasedByte,  // 4A..4C
    0x01, 0x08, 0x55,        // 4D BST_DUM BST_LEN BST_SYN
    0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x3B, 0x3C,  // 50 BST_WA0..7
    0x20, 0x21, 0x22, 0x23, 0x26, 0x27, 0x28, 0x29,  // 58 BST_RA0..7
});
// clang-format on
static_assert(kFactory.size() == kRegisterBytes);

constexpr int kUidIdGroup = 0x04;
// SYS_UID's first group: this bit, then the ID.
constexpr uint8_t kUidMark = 0x40;

// No value is wider than 32 bits: the widest register holds four groups.
constexpr std::size_t kValueGroups = sizeof(uint32_t);

}  // namespace

RegisterMemory factoryRegisters(int id)
{
    RegisterMemory memory = kFactory;
    memory[kServoIdAddress] = static_cast<uint8_t>(id & kGroupMask);
    memory[kUidIdGroup] = static_cast<uint8_t>(kUidMark | (id & kHighestId));
    return memory;
}

uint32_t groupsValue(std::span<const uint8_t> groups)
{
    std::array<unsigned char, kValueGroups> masked{};
    std::size_t count = std::min(groups.size(), masked.size());
    std::ranges::transform(groups.first(count), masked.begin(),
                           [](uint8_t group) { return static_cast<unsigned char>(group & kGroupMask); });
    return decodeGroups(masked.data(), static_cast<int>(count));
}

std::vector<uint8_t> valueGroups(uint32_t value, int count)
{
    std::vector<uint8_t> groups(static_cast<std::size_t>(count));
    encodeGroups(value, count, groups.data());
    return groups;
}

void copyInto(RegisterMemory& memory, int address, std::span<const uint8_t> bytes)
{
    if (address < 0 || address >= kRegisterBytes)
        return;
    std::size_t room = static_cast<std::size_t>(kRegisterBytes - address);
    auto fitting = bytes.first(std::min(room, bytes.size()));
    std::ranges::copy(fitting, memory.begin() + address);
}
