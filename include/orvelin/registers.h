// The servo's registers: 63 named registers in 96 bytes of memory, each
// byte carrying 7 bits. A register's row is its place in this table, the
// order in which the windows and `orvelin table` list them; values wider
// than 7 bits travel as 7-bit groups, least significant first.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvelin {

inline constexpr int kRegisterCount = 63;
inline constexpr int kMemoryBytes = 96;
inline constexpr int kMaxId = 0x3F;  // servo IDs are 0x00 to 0x3F

struct Register {
    std::string_view name;  // SYS_PN, M_POS, ...
    int address;            // 0x00 to 0x5F
    int size;               // 1, 2 or 4 bytes
};

// Every register, in row order.
std::span<const Register> registers();
// Every row, 0 to 62: "all registers" wherever rows are asked for.
std::vector<int> everyRow();
// The row of the register with this name (exactly as listed, upper case).
std::optional<int> findRegister(std::string_view name);
// The largest value a register of size bytes holds: 0x7F, 0x3FFF, 0x0FFFFFFF.
uint32_t maxValue(int size);
// "0x%02X", "0x%04X" or "0x%08X" by the register's size, as the windows show values.
std::string valueText(int row, uint32_t value);

// Values by row, nothing where a row has none: the values staged for a FLASH
// write, what a FLASH value file holds, one side of a comparison.
using StagedValues = std::array<std::optional<uint32_t>, kRegisterCount>;

}  // namespace orvelin
