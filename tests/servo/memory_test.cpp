// Register memory as the host sees it: read blocks, RAM and FLASH writes,
// restart and clear.
#include "tests/servo/host_line.h"
#include "tools/virtual_servo.h"

#include <gtest/gtest.h>

namespace {

constexpr int kId = 0x3F;

Bytes slice(const std::vector<uint8_t>& memory, int address, int count)
{
    return {memory.begin() + address, memory.begin() + address + count};
}

TEST(ServoMemory, ReadBlockAnswersSixteenBytesOfMemory)
{
    VirtualServo servo;
    ASSERT_TRUE(servo.start());
    HostLine host(servo.devicePath());
    ASSERT_TRUE(host.isOpen());
    servo.setMemory(kId, 0x20, {0x68, 0x07});

    Bytes reply = host.exchange(readBlockPacket(kId, 0x20), 16);

    ASSERT_EQ(reply.size(), 16u);
    EXPECT_EQ(reply, slice(servo.memory(kId), 0x20, 16));
    EXPECT_EQ(slice(reply, 0, 2), (Bytes{0x68, 0x07}));
    EXPECT_EQ(host.exchange(readBlockPacket(kId, 0x00), 16)[0x08], kId);
}

TEST(ServoMemory, FactoryMemoryHasNoZeroByte)
{
    VirtualServo servo;
    std::vector<uint8_t> ram = servo.memory(kId);
    ASSERT_EQ(ram.size(), 96u);
    for (uint8_t byte : ram) {
        EXPECT_NE(byte, 0);
        EXPECT_LT(byte, 0x80);
    }
    EXPECT_EQ(servo.flashMemory(kId), ram);
}

TEST(ServoMemory, RamWriteEchoesGroupsAndUpdatesMemory)
{
    VirtualServo servo;
    ASSERT_TRUE(servo.start());
    HostLine host(servo.devicePath());

    EXPECT_EQ(host.exchange(ramWritePacket(kId, 0x2C, {0x45, 0x46, 0x04, 0x00}), 4), (Bytes{0x45, 0x46, 0x04, 0x00}));
    EXPECT_EQ(slice(servo.memory(kId), 0x2C, 4), (Bytes{0x45, 0x46, 0x04, 0x00}));
    EXPECT_NE(slice(servo.flashMemory(kId), 0x2C, 4), (Bytes{0x45, 0x46, 0x04, 0x00}));
}

TEST(ServoMemory, FlashWriteAnswersByChecksum)
{
    VirtualServo servo;
    ASSERT_TRUE(servo.start());
    HostLine host(servo.devicePath());

    EXPECT_EQ(host.exchange(flashPacket(kId, 0x32, {0x11}), 1), Bytes{0x00});
    EXPECT_EQ(host.exchange(flashPacket(kId, 0x33, {0x22}, true), 1), Bytes{0x40});

    EXPECT_EQ(servo.flashMemory(kId)[0x32], 0x11);
    EXPECT_NE(servo.flashMemory(kId)[0x33], 0x22);
    EXPECT_NE(servo.memory(kId)[0x32], 0x11);
}

TEST(ServoMemory, RestartCopiesFlashToRam)
{
    VirtualServo servo;
    ASSERT_TRUE(servo.start());
    HostLine host(servo.devicePath());
    host.exchange(flashPacket(kId, 0x36, {0x10, 0x0F}), 1);
    host.exchange(ramWritePacket(kId, 0x32, {0x7E}), 1);

    EXPECT_EQ(host.exchange(ramWritePacket(kId, 0x09, {0x01}), 1), Bytes{0x01});

    EXPECT_EQ(servo.memory(kId), servo.flashMemory(kId));
    EXPECT_EQ(slice(servo.memory(kId), 0x36, 2), (Bytes{0x10, 0x0F}));
}

TEST(ServoMemory, ClearRestoresFactoryFlash)
{
    VirtualServo servo;
    std::vector<uint8_t> factory = servo.flashMemory(kId);
    ASSERT_TRUE(servo.start());
    HostLine host(servo.devicePath());
    host.exchange(flashPacket(kId, 0x32, {0x11}), 1);
    ASSERT_NE(servo.flashMemory(kId), factory);

    EXPECT_EQ(host.exchange(flashPacket(kId, 0x00, {0x68, 0x07}), 1), Bytes{0x00});

    EXPECT_EQ(servo.flashMemory(kId), factory);
}

TEST(ServoMemory, ControlPresetsBytesPerId)
{
    VirtualServo servo({0x01, 0x05});
    EXPECT_TRUE(servo.control("set 20=68,07"));
    EXPECT_TRUE(servo.control("setid 5 4E=2A"));
    EXPECT_FALSE(servo.control("setid 6 4E=2A"));
    EXPECT_FALSE(servo.control("set 5F=1,2"));
    EXPECT_FALSE(servo.control("sett 20=1"));

    EXPECT_EQ(slice(servo.memory(0x01), 0x20, 2), (Bytes{0x68, 0x07}));
    EXPECT_EQ(servo.flashMemory(0x05)[0x4E], 0x2A);
    EXPECT_NE(servo.memory(0x01)[0x4E], 0x2A);

    EXPECT_TRUE(servo.control("reset"));
    EXPECT_NE(servo.memory(0x05)[0x4E], 0x2A);
}

}  // namespace
