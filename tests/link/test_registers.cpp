#include "link/registers.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(Registers, TableHas63RowsAndATerminator)
{
    int rows = 0;
    std::set<int> addresses;
    while (paramtbl[rows].name != nullptr) {
        EXPECT_TRUE(addresses.insert(paramtbl[rows].address).second) << paramtbl[rows].name;
        EXPECT_LE(paramtbl[rows].address + paramtbl[rows].size, 0x60) << paramtbl[rows].name;
        ++rows;
    }
    EXPECT_EQ(rows, 63);
    EXPECT_EQ(paramtbl[63].size, 0);
    EXPECT_STREQ(paramtbl[18].name, "M_POS");
    EXPECT_EQ(paramtbl[18].address, 0x20);
    EXPECT_STREQ(paramtbl[62].name, "BST_RA7");
    EXPECT_EQ(paramtbl[24].size, 4);
}

TEST(Registers, GroupEncodingDropsBitsAboveTheWidth)
{
    unsigned char b[4] = {};
    encodeGroups(0x3FFF, 2, b);
    EXPECT_EQ(b[0], 0x7F);
    EXPECT_EQ(b[1], 0x7F);
    encodeGroups(0x4000, 2, b);
    EXPECT_EQ(b[0], 0x00);
    EXPECT_EQ(b[1], 0x00);
    encodeGroups(0x3E8, 2, b);
    EXPECT_EQ(b[0], 0x68);
    EXPECT_EQ(b[1], 0x07);
    encodeGroups(0x12345, 4, b);
    EXPECT_EQ(decodeGroups(b, 4), 0x12345u);
}

TEST(Registers, LookupFindsOnlyFirstBytesOfRegisters)
{
    EXPECT_EQ(findParamRow(0x20), 18);
    EXPECT_EQ(findParamRow(0x15), -1);
    EXPECT_EQ(findParamRow(0x2D), -1);
    EXPECT_EQ(findParamRow(0x60), -1);
}

TEST(Registers, TextsFollowTheRegisterSize)
{
    char text[16];
    std::fill(std::begin(param), std::end(param), 0);
    formatValueText(text, sizeof text, paramValue(0), paramtbl[0].size);
    EXPECT_STREQ(text, "0x0000");
    formatValueText(text, sizeof text, paramValue(2), paramtbl[2].size);
    EXPECT_STREQ(text, "0x00000000");
    formatValueText(text, sizeof text, paramValue(3), paramtbl[3].size);
    EXPECT_STREQ(text, "0x00");
    param[0x2C] = 0x45;
    param[0x2D] = 0x46;
    param[0x2E] = 0x04;
    formatValueText(text, sizeof text, paramValue(24), 4);
    EXPECT_STREQ(text, "0x00012345");
    formatAddressText(text, sizeof text, 0x5F);
    EXPECT_STREQ(text, "0x5F");
    std::fill(std::begin(param), std::end(param), 0);
}
