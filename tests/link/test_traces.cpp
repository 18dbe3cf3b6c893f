// The diagnostic trace, byte for byte.
#include "tests/link/link_test.h"

#include <cstring>
#include <regex>

TEST_F(LinkTest, SilentServoShowsThePacketBytesWhereTheReplyDidNotCome)
{
    servo.control("silent 1");
    EXPECT_EQ(runTerm("w 9 1").trace, "000009 1 1\nffffffbf\n");
    EXPECT_EQ(runTerm("f 0 3e8").trace, "000000 3e8 2\n(0)ffffffbf\n");
    EXPECT_EQ(runTerm("b 1 3").trace,
              "800: w: 0000 r(0):ffffffc1 0010\n"
              "800: w: 0000 r(0):ffffffc2 0010\n"
              "800: w: 0000 r(0):ffffffc3 0010\n");
}

TEST_F(LinkTest, AnsweringServoEchoesTheValue)
{
    EXPECT_EQ(runTerm("w 20 3e8").trace, "000020 3e8 2\n03e8\n");
    EXPECT_EQ(runTerm("w 2c 12345").trace, "00002c 12345 4\n00012345\n");
    EXPECT_EQ(runTerm("f 20 3e8").trace, "000020 3e8 2\n(1)00\n");
}

TEST_F(LinkTest, ReadAllDumpsBlocksAndNamedValues)
{
    servo.control("set 00=68,07,01,02,11,22,33,04,3F");
    auto r = runTerm("R");
    EXPECT_EQ(r.result, 0);
    EXPECT_EQ(r.trace.rfind("(w:19)(r:16)00: 68 07 01 02  11 22 33 04  3f ", 0), 0u) << r.trace;
    EXPECT_EQ(countOf(r.trace, "(w:19)(r:16)"), 6);
    EXPECT_EQ(countOf(r.trace, "(bytes err)"), 0);
    EXPECT_NE(r.trace.find("\n00:SYS_PN =03e8     02:SYS_VER=0101     04:SYS_UID=008cd111 08:SYS_SID=3f      \n"),
              std::string::npos)
        << r.trace;
    // Every block line: 16 bytes, an extra space after every fourth.
    std::regex block(R"(\(w:19\)\(r:16\)[0-5]0: ((?:[0-9a-f]{2} ){4} ){4}\n)");
    EXPECT_EQ(std::distance(std::sregex_iterator(r.trace.begin(), r.trace.end(), block), std::sregex_iterator()), 6);
    // 63 named values, four to a line; the last line ends with a blank and the final line feed.
    std::regex tail(R"(\n5d:BST_RA5=[0-9a-f]{2}       5e:BST_RA6=[0-9a-f]{2}       5f:BST_RA7=[0-9a-f]{2}       \n$)");
    EXPECT_TRUE(std::regex_search(r.trace, tail)) << r.trace;
    EXPECT_EQ(param[0x00], 0x68);
    EXPECT_EQ(param[0x08], 0x3F);
}

TEST_F(LinkTest, ShortBlockReplyIsCountedAndLeavesZeros)
{
    std::memset(param, 0x55, sizeof param);
    servo.control("short 10");
    auto r = runTerm("R");
    EXPECT_EQ(countOf(r.trace, "(w:19)(r:10)(bytes err)00: "), 1) << r.trace;
    EXPECT_EQ(countOf(r.trace, "(bytes err)"), 6);
    for (int a = 0; a < 0x60; a += 16)
        for (int k = 10; k < 16; ++k)
            EXPECT_EQ(param[a + k], 0) << "address " << a + k;
    EXPECT_EQ(param[0x60], 0);
}

TEST_F(LinkTest, SilentServoLeavesAnAllZeroImage)
{
    std::memset(param, 0x55, sizeof param);
    servo.control("silent 1");
    auto r = runTerm("r");
    EXPECT_EQ(countOf(r.trace, "(w:19)(r:0)(bytes err)"), 6);
    EXPECT_EQ(r.trace.find(": 00"), std::string::npos) << "no dump without bytes";
    EXPECT_NE(r.trace.find("20:M_POS  =0000    "), std::string::npos);
    for (unsigned char b : param)
        ASSERT_EQ(b, 0);
}

TEST_F(LinkTest, StrayBytesAfterReadAllAreDrainedAndShown)
{
    servo.control("stray 3");
    auto r = runTerm("\n");
    // Each block's noise shifts the next block's reply by three bytes; what the
    // six 16-byte reads leave of the 6 x 19 bytes comes out in the drain.
    EXPECT_EQ(countOf(r.trace, "(r?:"), 18) << r.trace;
    EXPECT_TRUE(std::regex_search(r.trace, std::regex(R"(BST_RA7=[0-9a-f]{2}       \n(\(r\?:[0-7][0-9a-f]\)\n){18}$)"))) << r.trace;
}

TEST_F(LinkTest, BabblingLineCannotHoldTheDrain)
{
    servo.control("stray 2000");
    auto r = runTerm("R");
    EXPECT_EQ(r.result, 0);
    EXPECT_EQ(countOf(r.trace, "(r?:"), 256);
}

TEST_F(LinkTest, RepliesWithBitSevenSetPrintSignExtended)
{
    servo.control("badbit 1");
    auto r = runTerm("w 9 1");
    EXPECT_EQ(r.trace.substr(0, 11), "000009 1 1\n");
    EXPECT_EQ(r.trace.substr(11, 6), "ffffff") << r.trace;
}
