// What the edit dialogs stage, what the FLASH write sends of a cell, and the
// staged column's load and save.
#include "ops/flash_cells.h"
#include "ops/flash_column.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

constexpr int kSysUid = 2;  // 4 bytes
constexpr int kSysRst = 4;  // 1 byte
constexpr int kMPos = 18;   // 2 bytes, address 0x20
constexpr int kFbEdb = 33;  // address 0x3A

TEST(CellRules, FlashEditMasksAndFormatsByRegisterSize)
{
    struct Case {
        int row;
        const char* typed;
        const char* cell;
    };
    const Case cases[] = {
        {kMPos, "3e8", "0x03E8"},
        {kMPos, "0x3e8", "0x03E8"},
        {kMPos, "12345", "0x2345"},
        {kSysRst, "1FF", "0x7F"},
        {kSysRst, "-1", "0x7F"},
        {kSysRst, "zz", "0x00"},
        {kSysUid, "12345678", "0x00145678"},
        {kSysUid, "FFFFFFFF", "0x001FFFFF"},
        {kMPos, " ", "0x0000"},
        {kMPos, "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(flashEditText(c.typed, c.row), c.cell) << c.typed;
    EXPECT_EQ(parseHexLong("-80000001"), INT32_MIN);
    EXPECT_EQ(editableText("0x03E8"), "03E8");
    EXPECT_EQ(editableText("x"), "");
}

TEST(CellRules, FlashWriteSendsTheCellFromItsThirdCharacter)
{
    EXPECT_EQ(flashWriteLine(kMPos, "0x03E8"), "f 20 03E8");
    EXPECT_EQ(flashWriteLine(kFbEdb, "0x05"), "f 3a 05");
    EXPECT_EQ(flashWriteLine(0, "1234"), "f 0 34");
    EXPECT_EQ(flashWriteLine(kMPos, "0x"), std::nullopt);
    EXPECT_EQ(flashWriteLine(kMPos, "7"), std::nullopt);
    // The list gives back 63 characters of a cell.
    EXPECT_EQ(flashWriteLine(kMPos, "0x" + std::string(200, '1')), "f 20 " + std::string(61, '1'));
    EXPECT_EQ(ramEditLine(kMPos, "0x3E8"), "w 20 0x3E8");
}

class ColumnFile : public ::testing::Test {
protected:
    FlashToken load(FlashColumn& column, const std::string& text)
    {
        std::string path = (folder / "in.txt").string();
        std::ofstream(path, std::ios::binary) << text;
        FILE* in = std::fopen(path.c_str(), "r");
        // Thrown, the test stops here with the reason instead of reading a null stream.
        if (in == nullptr)
            throw std::runtime_error("cannot read back " + path);
        FlashToken end = column.load(in);
        std::fclose(in);
        return end;
    }

    TempFolder scratch;
    std::filesystem::path folder = scratch.path();
};

TEST_F(ColumnFile, LoadsInTheWindowsOrderAndSavesWhatItHolds)
{
    FlashColumn column;
    for (int row = 0; row < FlashColumn::kRows; ++row)
        column.set(row, "old");
    EXPECT_EQ(load(column, "5 0x05\r\n3 0x03\n8 0x08\n"), FlashToken::End);
    for (int row : {0, 1, 2, 4, 7})
        EXPECT_EQ(column.cell(row), "") << row;
    EXPECT_EQ(column.cell(3), "0x03");
    EXPECT_EQ(column.cell(5), "0x05");
    EXPECT_EQ(column.cell(6), "old");
    EXPECT_EQ(column.cell(8), "0x08");
    EXPECT_EQ(column.cell(9), "old");

    FlashColumn saved;
    saved.set(kMPos, "0x03E8");
    saved.set(kSysRst, "0x01");
    std::string path = (folder / "out.txt").string();
    ASSERT_TRUE(saved.save(path.c_str(), "\r\n"));
    std::stringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    EXPECT_EQ(bytes.str(), "4 0x01\r\n18 0x03E8\r\n");
    EXPECT_EQ(saved.fileText(), "4 0x01\n18 0x03E8\n");
    // A folder cannot be replaced: the save fails and leaves it alone.
    EXPECT_FALSE(saved.save(folder.string().c_str()));
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_FALSE(FlashColumn().anyStaged());
    EXPECT_TRUE(saved.anyStaged());
}

}  // namespace
