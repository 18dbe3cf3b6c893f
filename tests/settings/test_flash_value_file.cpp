// FLASH value files: the load order, malformed files and the saved format.
#include "settings/flash_value_file.h"
#include "link/registers.h"
#include "tests/settings/settings_test.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <stdexcept>
#include <string>

namespace {

using Cells = std::array<std::string, kParamRows>;

// Every row starts with "old"; returns the cells after loading `text` from a
// file of this test's own, and how the load ended.
std::pair<Cells, FlashToken> load(const std::string& text)
{
    TempFolder folder;
    const std::string path = folder.file("values.txt");
    writeFile(path, text);
    Cells cells;
    cells.fill("old");
    FILE* in = std::fopen(path.c_str(), "r");
    // Thrown, the test stops here with the reason instead of reading a null stream.
    if (in == nullptr)
        throw std::runtime_error("cannot read back " + path);
    FlashToken end = loadFlashValues(in, kParamRows, [&](int row, const char* t) {
        cells.at(static_cast<std::size_t>(row)) = t != nullptr ? t : "";
    });
    std::fclose(in);
    return {cells, end};
}

}  // namespace

TEST(FlashValueFile, ListedRowsSetAndRowsBeforeThemEmptied)
{
    auto [cells, end] = load("3 0x0010\n7 0x7F\n");
    EXPECT_EQ(end, FlashToken::End);
    for (int r : {0, 1, 2, 4, 5, 6})
        EXPECT_EQ(cells[r], "") << r;
    EXPECT_EQ(cells[3], "0x0010");
    EXPECT_EQ(cells[7], "0x7F");
    for (int r = 8; r < kParamRows; ++r)
        EXPECT_EQ(cells[r], "old") << r;
}

TEST(FlashValueFile, OutOfOrderLinesFollowTheLoadOrder)
{
    auto [cells, end] = load("5 a5\n3 a3\n8 a8\n");
    for (int r : {0, 1, 2, 4, 7})
        EXPECT_EQ(cells[r], "") << r;
    EXPECT_EQ(cells[3], "a3");
    EXPECT_EQ(cells[5], "a5");
    EXPECT_EQ(cells[6], "old") << "the row skipped by the late line keeps its text";
    EXPECT_EQ(cells[8], "a8");
}

TEST(FlashValueFile, IndexBeyondTheListEmptiesEveryRow)
{
    auto [cells, end] = load("100 0x01\n");
    for (const auto& c : cells)
        EXPECT_EQ(c, "");
    auto [huge, hugeEnd] = load("99999999999999999999 x\n2 0x02\n");
    EXPECT_EQ(huge[2], "0x02") << "a huge index is held, not wrapped";
    auto [negative, negEnd] = load("-4 0x01\n");
    EXPECT_EQ(negative[0], "old") << "a negative index changes no cell";
}

TEST(FlashValueFile, LineEndsAndSeparatorsReadAlike)
{
    auto [lf, e1] = load("18 0x03E8\n4 0x01\n");
    auto [crlf, e2] = load("18 0x03E8\r\n4 0x01\r\n");
    auto [oneLine, e3] = load("18 0x03E8\t4 0x01");
    EXPECT_EQ(lf, crlf);
    EXPECT_EQ(lf, oneLine);
    EXPECT_EQ(lf[18], "0x03E8");
    auto [empty, e4] = load("");
    EXPECT_EQ(e4, FlashToken::End);
    for (const auto& c : empty)
        EXPECT_EQ(c, "old");
}

TEST(FlashValueFile, MalformedTokensEndTheLoadWithoutReusingText)
{
    auto [missing, e1] = load("2 x\n4");
    EXPECT_EQ(e1, FlashToken::MissingText);
    EXPECT_EQ(missing[2], "x");
    EXPECT_EQ(missing[3], "old");
    EXPECT_EQ(missing[4], "old") << "an index without text sets nothing";
    auto [bad, e2] = load("1 a\nabc 0x01\n5 b\n");
    EXPECT_EQ(e2, FlashToken::BadIndex);
    EXPECT_EQ(bad[1], "a");
    EXPECT_EQ(bad[5], "old");
}

TEST(FlashValueFile, TextsTheListCannotHoldAreSkipped)
{
    auto [cells, end] = load("1 " + std::string(300, 'A') + "\n2 0x02\n" + std::string("3 ab\0cd\n", 8) + "4 0x04\n");
    EXPECT_EQ(end, FlashToken::End);
    // Never a cut text: the skipped rows are emptied by the lines after them.
    EXPECT_EQ(cells[1], "");
    EXPECT_EQ(cells[2], "0x02");
    EXPECT_EQ(cells[3], "");
    EXPECT_EQ(cells[4], "0x04");
    auto [alone, end1] = load("1 " + std::string(300, 'A'));
    EXPECT_EQ(alone[1], "old");
    auto [longest, end2] = load("1 " + std::string(255, 'B'));
    EXPECT_EQ(longest[1], std::string(255, 'B'));
}

TEST(FlashValueFile, SavedTextListsNonEmptyCellsInRowOrder)
{
    Cells cells;
    cells[4] = "0x01";
    cells[18] = "0x03E8";
    std::string text = flashValuesText(kParamRows, [&](int row, char (&cell)[kFlashCellSize]) {
        std::snprintf(cell, kFlashCellSize, "%s", cells[static_cast<std::size_t>(row)].c_str());
    });
    EXPECT_EQ(text, "4 0x01\n18 0x03E8\n");
    EXPECT_EQ(flashValuesText(kParamRows, [](int, char (&cell)[kFlashCellSize]) { cell[0] = '\0'; }), "");
}
