#include "orvelin/registers.h"

#include "link/registers.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <numeric>

namespace orvelin {

static_assert(kRegisterCount == kParamRows && kMemoryBytes == kRegisterBytes && kMaxId == kHighestId);

namespace {

constexpr std::array<Register, kRegisterCount> kRegisters = [] {
    std::array<Register, kRegisterCount> table{};
    for (int row = 0; row < kRegisterCount; ++row) {
        const ParamDef& def = paramtbl[static_cast<std::size_t>(row)];
        table[static_cast<std::size_t>(row)] = {def.name, def.address, def.size};
    }
    return table;
}();

}  // namespace

std::span<const Register> registers()
{
    return kRegisters;
}

std::vector<int> everyRow()
{
    std::vector<int> rows(kRegisterCount);
    std::iota(rows.begin(), rows.end(), 0);
    return rows;
}

std::optional<int> findRegister(std::string_view name)
{
    auto found = std::ranges::find(kRegisters, name, &Register::name);
    if (found == kRegisters.end())
        return std::nullopt;
    return static_cast<int>(found - kRegisters.begin());
}

uint32_t maxValue(int size)
{
    return groupsMax(size);
}

std::string valueText(int row, uint32_t value)
{
    char text[16];
    formatValueText(text, sizeof text, value, paramtbl[static_cast<std::size_t>(row)].size);
    return text;
}

}  // namespace orvelin
