// The line as a bus: who answers, how the stream is cut into packets, and
// the shaft's travel after a position write.
#include "tests/servo/host_line.h"
#include "tools/virtual_servo.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using namespace std::chrono_literals;

int positionOf(const Bytes& reply)
{
    return reply.at(0) | reply.at(1) << 7;
}

TEST(ServoBus, AnswersOnlyItsOwnIdsButRecordsAll)
{
    VirtualServo servo({0x01, 0x02, 0x05});
    ASSERT_TRUE(servo.start());
    HostLine host(servo.devicePath());

    for (int id : {0x01, 0x02, 0x05})
        EXPECT_EQ(host.exchange(readBlockPacket(id, 0x00), 16)[0x08], id);
    host.send(readBlockPacket(0x03, 0x00));
    EXPECT_TRUE(host.receive(1, 100ms).empty());
    EXPECT_EQ(host.exchange(ramWritePacket(0x02, 0x32, {0x33}), 1), Bytes{0x33});
    EXPECT_EQ(servo.memory(0x02)[0x32], 0x33);
    EXPECT_NE(servo.memory(0x01)[0x32], 0x33);
    EXPECT_EQ(servo.packets().size(), 5u);
}

TEST(ServoBus, ServosSharingAnIdEachAnswerFromTheirOwnMemory)
{
    VirtualServo servo({0x01, 0x01, 0x02});
    ASSERT_TRUE(servo.control("setid 01#2 20=68,07"));
    EXPECT_FALSE(servo.control("setid 01#3 20=68,07"));
    EXPECT_FALSE(servo.control("setid 02#2 20=68,07"));
    const Bytes first = servo.memory(0x01);
    const Bytes firstPosition(first.begin() + 0x20, first.begin() + 0x22);
    ASSERT_NE(firstPosition, (Bytes{0x68, 0x07}));
    ASSERT_TRUE(servo.start());
    HostLine host(servo.devicePath());

    // Block 0x20 from the first servo, then from the second.
    Bytes replies = host.exchange(readBlockPacket(0x01, 0x20), 32);
    ASSERT_EQ(replies.size(), 32u);
    EXPECT_EQ(Bytes(replies.begin(), replies.begin() + 2), firstPosition);
    EXPECT_EQ(Bytes(replies.begin() + 16, replies.begin() + 18), (Bytes{0x68, 0x07}));
    host.send(readBlockPacket(0x02, 0x20));
    EXPECT_EQ(host.receive(17, 100ms).size(), 16u);

    // Writes reach both; the restart brings each its own FLASH back.
    EXPECT_EQ(host.exchange(ramWritePacket(0x01, 0x20, {0x7E, 0x7E}), 4), (Bytes{0x7E, 0x7E, 0x7E, 0x7E}));
    EXPECT_EQ(host.exchange(flashPacket(0x01, 0x2E, {0x11}), 2), (Bytes{0x00, 0x00}));
    EXPECT_EQ(host.exchange(ramWritePacket(0x01, 0x09, {0x01}), 2), (Bytes{0x01, 0x01}));
    replies = host.exchange(readBlockPacket(0x01, 0x20), 32);
    ASSERT_EQ(replies.size(), 32u);
    EXPECT_EQ(Bytes(replies.begin(), replies.begin() + 2), firstPosition);
    EXPECT_EQ(Bytes(replies.begin() + 16, replies.begin() + 18), (Bytes{0x68, 0x07}));
    EXPECT_EQ(replies[0x0E], 0x11);  // 0x2E of each
    EXPECT_EQ(replies[0x1E], 0x11);
}

TEST(ServoBus, PositionWriteMovesTheShaftStepByStep)
{
    VirtualServo servo;
    servo.setMemory(0x3F, 0x20, {0x00, 0x08});  // 0x400
    ASSERT_TRUE(servo.start());
    HostLine host(servo.devicePath());

    Bytes reply = host.exchange(positionPacket(0x3F, 0x800, 0x80), 4);
    ASSERT_EQ(reply.size(), 4u);
    EXPECT_EQ(positionOf(reply), 0x400);
    EXPECT_EQ(positionOf({reply[2], reply[3]}), 0x800);

    std::this_thread::sleep_for(300ms);
    int midway = positionOf(host.exchange(readBlockPacket(0x3F, 0x20), 16));
    EXPECT_GT(midway, 0x400);
    EXPECT_LT(midway, 0x800);
    std::this_thread::sleep_for(1s);
    EXPECT_EQ(positionOf(host.exchange(readBlockPacket(0x3F, 0x20), 16)), 0x800);
    EXPECT_EQ(positionOf(host.exchange(readBlockPacket(0x3F, 0x30), 16)), 0x800);
}

TEST(ServoBus, HeaderByteCutsAPacketShortButEnByteDoesNot)
{
    VirtualServo servo;
    ASSERT_TRUE(servo.start());
    HostLine host(servo.devicePath());

    // An unmasked en byte such as C1 belongs to the position write.
    EXPECT_EQ(host.exchange(positionPacket(0x3F, 0x801, 0xC1), 4).size(), 4u);
    // A read block broken off by a new header is dropped; the new one counts.
    Bytes broken = readBlockPacket(0x3F, 0x00);
    broken.resize(8);
    host.send(broken);
    EXPECT_EQ(host.exchange(ramWritePacket(0x3F, 0x33, {0x44}), 2), Bytes{0x44});
    // Noise between packets is heard but makes no packet.
    host.send({0x12, 0x34});
    host.send({0xBF, 0x41, 0x4F, 0x01});
    EXPECT_TRUE(host.receive(1, 100ms).empty());

    std::vector<Bytes> packets = servo.packets();
    ASSERT_EQ(packets.size(), 3u);
    EXPECT_EQ(packets[0], positionPacket(0x3F, 0x801, 0xC1));
    EXPECT_EQ(packets[1], ramWritePacket(0x3F, 0x33, {0x44}));
    EXPECT_EQ(packets[2], (Bytes{0xBF, 0x41, 0x4F, 0x01}));
    EXPECT_EQ(servo.received().size(), 5u + 8u + 4u + 2u + 4u);
    servo.clearPackets();
    EXPECT_TRUE(servo.packets().empty());
}

}  // namespace
