// The staged FLASH column: one text per register row, empty where no value
// waits for the next FLASH write. Loaded and saved as FLASH value files.
#pragma once

#include "settings/flash_value_file.h"
#include "link/registers.h"

#include <array>
#include <cstdio>
#include <string>
#include <string_view>

class FlashColumn {
public:
    static constexpr int kRows = kParamRows;

    // Rows outside the table read as empty and cannot be set.
    const std::string& cell(int row) const;
    void set(int row, std::string_view text);
    void clear(int row) { set(row, {}); }
    bool anyStaged() const;

    // The window's load: rows before and between the listed rows are
    // emptied, listed rows get their texts, later rows keep theirs. Ends at
    // the first malformed token and returns why it ended.
    FlashToken load(FILE* in);
    // The file's bytes: "%d %s" and lineEnd for every staged cell in row order.
    std::string fileText(const char* lineEnd = "\n") const;
    // Through a new file renamed over path: a failed save leaves the old file.
    bool save(const char* path, const char* lineEnd = "\n") const;

private:
    std::array<std::string, kRows> cells_;
};
