// The FLASH value file loader on any file.
// Checks: only the list's 63 rows are touched, no cell text is longer than
// 255 characters or holds white space, and nothing is read past a buffer.
#include "settings/flash_value_file.h"
#include "link/registers.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    FILE* in = fmemopen(const_cast<uint8_t*>(data), size, "r");
    if (in == nullptr)
        return 0;
    int calls = 0;
    loadFlashValues(in, kParamRows, [&](int row, const char* text) {
        if (row < 0 || row >= kParamRows)
            std::abort();
        // Each row is emptied at most once before it is set, so the calls stay bounded by the input.
        if (++calls > kParamRows + static_cast<int>(size))
            std::abort();
        if (text == nullptr)
            return;
        std::size_t length = std::strlen(text);
        if (length == 0 || length >= kFlashCellSize)
            std::abort();
        for (std::size_t k = 0; k < length; ++k)
            if (std::isspace(static_cast<unsigned char>(text[k])))
                std::abort();
    });
    std::fclose(in);
    return 0;
}
