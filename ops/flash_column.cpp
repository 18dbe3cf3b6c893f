#include "ops/flash_column.h"

#include "settings/file_replace.h"

#include <algorithm>

namespace {

bool inTable(int row)
{
    return row >= 0 && row < FlashColumn::kRows;
}

}  // namespace

const std::string& FlashColumn::cell(int row) const
{
    static const std::string kEmpty;
    return inTable(row) ? cells_[static_cast<std::size_t>(row)] : kEmpty;
}

void FlashColumn::set(int row, std::string_view text)
{
    if (inTable(row))
        cells_[static_cast<std::size_t>(row)] = text;
}

bool FlashColumn::anyStaged() const
{
    return std::ranges::any_of(cells_, [](const std::string& c) { return !c.empty(); });
}

FlashToken FlashColumn::load(FILE* in)
{
    return loadFlashValues(in, kRows, [this](int row, const char* text) { set(row, text != nullptr ? text : ""); });
}

std::string FlashColumn::fileText(const char* lineEnd) const
{
    auto cellOf = [this](int row, char(&out)[kFlashCellSize]) {
        const std::string& text = cell(row);
        std::size_t n = std::min(text.size(), static_cast<std::size_t>(kFlashCellSize - 1));
        std::copy_n(text.begin(), n, out);
        out[n] = '\0';
    };
    return flashValuesText(kRows, cellOf, lineEnd);
}

bool FlashColumn::save(const char* path, const char* lineEnd) const
{
    return replaceFileContents(path, fileText(lineEnd));
}
