// orvelin's own check of a FLASH value file before a FLASH write, on any bytes.
// Checks: a file that passes stages only rows 0 to 62, each with 0x and at
// most 8 hexadecimal digits whose value fits the register, and the lines it
// turns into are the window's "f ADDR DIGITS" lines for exactly those cells.
#include "cli/register_args.h"
#include "link/registers.h"
#include "cli/staged_values.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto staged = stagedValuesFrom(bytes, "fuzz.txt");
    if (!staged)
        return 0;
    std::size_t cells = 0;
    for (int row = 0; row < kParamRows; ++row) {
        const std::string& cell = staged->cell(row);
        if (cell.empty())
            continue;
        ++cells;
        if (cell.size() < 3 || cell.size() > 10 || cell[0] != '0' || (cell[1] != 'x' && cell[1] != 'X'))
            std::abort();
        if (stagedValue(cell) > groupsMax(paramtbl[row].size))
            std::abort();
    }
    std::vector<std::string> lines = stagedValueLines(*staged);
    if (cells == 0 || lines.size() != cells)
        std::abort();
    for (const std::string& line : lines)
        if (line.size() < 5 || line[0] != 'f' || line[1] != ' ')
            std::abort();
    return 0;
}
