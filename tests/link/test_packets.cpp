// The bytes each command line puts on the wire.
#include "tests/link/link_test.h"

using Packets = std::vector<std::string>;

TEST_F(LinkTest, FlashWriteCarriesTwoAddressGroupsAndAChecksum)
{
    runTerm("f 0 3e8");
    EXPECT_EQ(servo.packets(1), Packets{"BF 02 00 00 68 07 11"});
}

TEST_F(LinkTest, FlashWriteOfAFourByteRegisterDropsBitsFrom28Up)
{
    runTerm("f 4 7fffffff");
    // 04 00 7F 7F 7F 7F sum to 0x200, so the checksum is 0x00.
    EXPECT_EQ(servo.packets(1), Packets{"BF 04 04 00 7F 7F 7F 7F 00"});
}

TEST_F(LinkTest, RamWriteCarriesSizeAndValueGroups)
{
    runTerm("w 2c 12345");
    runTerm("w 9 1");
    EXPECT_EQ(servo.packets(2), (Packets{"BF 64 2C 45 46 04 00", "BF 61 09 01"}));
}

TEST_F(LinkTest, WritesToNoRegisterOrWithoutValueSendNothing)
{
    for (const char* line : {"w 15 1", "w 2d 1", "f 15 1", "w 20", "f", "w 20 zz", "w 20 -1", "f 20 123456789"})
        runTerm(line);
    runTerm("s");
    EXPECT_EQ(servo.packets(1), Packets{"BF 41 4F 01"});
}

TEST_F(LinkTest, HeaderCarriesTheIdTakenWhenTheCommandStarts)
{
    SendID = 0x1A;
    runTerm("w 20 3e8");
    EXPECT_EQ(servo.packets(1), Packets{"9A 62 20 68 07"});
}

TEST_F(LinkTest, ReadAllSendsSixBlockRequests)
{
    runTerm("Read");
    auto sent = servo.packets(6);
    ASSERT_EQ(sent.size(), 6u);
    const std::string zeros = " 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00";
    EXPECT_EQ(sent[0], "BF 30 00" + zeros);
    EXPECT_EQ(sent[5], "BF 30 50" + zeros);
}

TEST_F(LinkTest, PositionWriteRunsTheRangeThenTheFixedPacket)
{
    runTerm("b");
    EXPECT_EQ(servo.packets(1), Packets{"BF 41 4F 01"});
    servo.mark();
    runTerm("b 1 3");
    EXPECT_EQ(servo.packets(4),
              (Packets{"C1 00 10 00 00", "C2 00 10 00 00", "C3 00 10 00 00", "BF 41 4F 01"}));
    // A later line changes only the operands it supplies.
    runTerm("b 5");
    EXPECT_EQ(bOperands.from, 5);
    EXPECT_EQ(bOperands.to, 3);
    EXPECT_EQ(bOperands.pos, 0x800);
}

TEST_F(LinkTest, PositionWriteSendsTheEnableByteUnmasked)
{
    runTerm("b 3f 3f 3e8 81");
    auto sent = servo.packets(2);
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent[0], "FF 68 07 81 00");
}

TEST_F(LinkTest, PositionWriteRangeStaysWithinServoIds)
{
    runTerm("b 3e 7fffffff");
    EXPECT_EQ(servo.packets(3), (Packets{"FE 00 10 00 00", "FF 00 10 00 00", "BF 41 4F 01"}));
    servo.mark();
    runTerm("b -5 -3");
    EXPECT_EQ(servo.packets(1), Packets{"BF 41 4F 01"});
}

TEST_F(LinkTest, OtherCommandsOpenThePortAndSendNothing)
{
    runTerm("");
    runTerm("x 1 2");
    runTerm("S");
    EXPECT_EQ(servo.packets(1), Packets{"BF 41 4F 01"});
}
