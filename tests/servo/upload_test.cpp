// Upload chunks: accepted into the image, refused on a bad checksum, and
// the reject and ignore faults that make the host retry.
#include "tests/servo/host_line.h"
#include "tools/virtual_servo.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

constexpr int kId = 0x3F;
constexpr int kFirstChunk = 0x1000;

TEST(ServoUpload, ChunksAreAcceptedIntoTheImage)
{
    VirtualServo servo;
    ASSERT_TRUE(servo.start());
    HostLine host(servo.devicePath());
    Bytes first(16, 0x21);
    Bytes packet = flashPacket(kId, kFirstChunk, {0x01, 0x02, 0x03});
    ASSERT_EQ(packet, (Bytes{0xBF, 0x03, 0x00, 0x20, 0x01, 0x02, 0x03, 0x5A}));

    EXPECT_EQ(host.exchange(flashPacket(kId, kFirstChunk, first), 1), Bytes{0x00});
    EXPECT_EQ(host.exchange(flashPacket(kId, kFirstChunk + 16, {0x01, 0x02, 0x03}), 1), Bytes{0x00});
    EXPECT_EQ(host.exchange(flashPacket(kId, kFirstChunk + 32, {0x09}, true), 1), Bytes{0x40});

    Bytes expected = first;
    expected.insert(expected.end(), {0x01, 0x02, 0x03});
    EXPECT_EQ(servo.uploadImage(kId), expected);
}

TEST(ServoUpload, RejectsThenAcceptsAfterTheRejectCount)
{
    VirtualServo servo;
    ASSERT_TRUE(servo.control("reject 2"));
    ASSERT_TRUE(servo.start());
    HostLine host(servo.devicePath());
    Bytes chunk = flashPacket(kId, kFirstChunk, {0x05});

    EXPECT_EQ(host.exchange(chunk, 1), Bytes{0x40});
    EXPECT_EQ(host.exchange(chunk, 1), Bytes{0x40});
    EXPECT_TRUE(servo.uploadImage(kId).empty());
    EXPECT_EQ(host.exchange(chunk, 1), Bytes{0x00});
    EXPECT_EQ(servo.uploadImage(kId), Bytes{0x05});
}

TEST(ServoUpload, IgnoredChunksGetNoAnswer)
{
    VirtualServo servo;
    ASSERT_TRUE(servo.control("ignore 1"));
    ASSERT_TRUE(servo.start());
    HostLine host(servo.devicePath());
    Bytes chunk = flashPacket(kId, kFirstChunk, {0x05});

    EXPECT_TRUE(host.exchange(chunk, 1).empty());
    EXPECT_EQ(host.exchange(chunk, 1), Bytes{0x00});
    EXPECT_EQ(servo.faults().ignoreUploads, 0);
}

TEST(ServoUpload, AnUpdateBringsTheServoBackWithFactorySettings)
{
    const Bytes factory = VirtualServo().flashMemory(kId);
    VirtualServo servo({0x01});
    ASSERT_TRUE(servo.control("upreset 1"));
    ASSERT_TRUE(servo.control("setid 01 32=11"));
    ASSERT_TRUE(servo.start());
    HostLine host(servo.devicePath());
    Bytes restart = ramWritePacket(0x01, 0x09, {0x01});

    // A restart alone keeps the settings.
    EXPECT_EQ(host.exchange(restart, 1), Bytes{0x01});
    EXPECT_EQ(host.exchange(readBlockPacket(0x01, 0x30), 16).at(0x02), 0x11);

    EXPECT_EQ(host.exchange(flashPacket(0x01, kFirstChunk, {0x05}), 1), Bytes{0x00});
    EXPECT_EQ(host.exchange(restart, 1), Bytes{0x01});
    host.send(readBlockPacket(0x01, 0x00));
    EXPECT_TRUE(host.receive(1, 100ms).empty());
    EXPECT_EQ(host.exchange(readBlockPacket(kId, 0x30), 16).at(0x02), factory.at(0x32));
    EXPECT_EQ(servo.memory(kId), factory);
    EXPECT_EQ(servo.flashMemory(kId), factory);
    EXPECT_EQ(servo.uploadImage(kId), Bytes{0x05});
    EXPECT_FALSE(servo.control("upreset 2"));
}

}  // namespace
