#include "ops/flash_cells.h"

#include "link/wire_format.h"
#include "link/registers.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string addressLine(char command, int row, std::string_view value)
{
    char head[8];
    std::snprintf(head, sizeof head, "%c %x ", command, static_cast<unsigned>(paramtbl[row].address));
    return std::string(head).append(value);
}

}  // namespace

std::optional<std::string> flashWriteLine(int row, std::string_view cell)
{
    cell = cell.substr(0, kFlashCellRead);
    if (cell.size() <= kValuePrefix)
        return std::nullopt;
    return addressLine('f', row, cell.substr(kValuePrefix));
}

std::string ramEditLine(int row, std::string_view typed)
{
    return addressLine('w', row, typed);
}

std::string_view editableText(std::string_view valueText)
{
    return valueText.size() >= kValuePrefix ? valueText.substr(kValuePrefix) : std::string_view();
}

int32_t parseHexLong(const char* text)
{
    const char* p = text;
    while (std::isspace(static_cast<unsigned char>(*p)))
        ++p;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && hexDigit(p[2]) >= 0)
        p += 2;
    constexpr int64_t kLimit = int64_t{1} << 31;
    int64_t magnitude = 0;
    for (int d; (d = hexDigit(*p)) >= 0; ++p)
        magnitude = std::min(magnitude * 16 + d, kLimit);
    if (negative)
        return static_cast<int32_t>(-magnitude);
    return static_cast<int32_t>(std::min(magnitude, kLimit - 1));
}

uint32_t flashEditMask(int size)
{
    // The dialog keeps three groups of a 4-byte register's four.
    return groupsMax(size >= 4 ? 3 : size);
}

std::string flashEditText(const char* typed, int row)
{
    if (typed[0] == '\0')
        return {};
    int size = paramtbl[row].size;
    uint32_t value = static_cast<uint32_t>(parseHexLong(typed)) & flashEditMask(size);
    char cell[16];
    formatValueText(cell, sizeof cell, value, size);
    return cell;
}
