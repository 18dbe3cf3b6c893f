// A one-wire adapter's echo: every byte sent comes back ahead of the reply,
// held by the latency timer like the reply.
#include "tests/servo/host_line.h"
#include "tools/virtual_servo.h"

#include <gtest/gtest.h>

#include <poll.h>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

Bytes joined(Bytes first, const Bytes& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

TEST(ServoEcho, ThePacketComesBackWholeBeforeTheReply)
{
    const std::vector<BusServo> bus{{0x01}, {0x02, 57600}};
    VirtualServo servo(bus);
    ASSERT_TRUE(servo.control("echo 1"));
    ASSERT_TRUE(servo.start());
    HostLine host(servo.devicePath());
    ASSERT_TRUE(host.setRate(115200));

    Bytes read = readBlockPacket(0x01, 0x00);
    Bytes reply = host.exchange(read, read.size() + 17);
    ASSERT_EQ(reply.size(), read.size() + 16);
    EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 19), read);
    EXPECT_EQ(reply.at(19 + 0x08), 0x01);

    // No servo answers: an ID nobody has, one at another rate.
    for (int id : {0x05, 0x02}) {
        Bytes write = ramWritePacket(id, 0x32, {0x11});
        EXPECT_EQ(host.exchange(write, write.size() + 1), write) << id;
    }
    ASSERT_TRUE(servo.control("echo 0"));
    EXPECT_EQ(host.exchange(ramWritePacket(0x01, 0x32, {0x11}), 5), Bytes{0x11});
    EXPECT_FALSE(servo.control("echo 2"));
}

TEST(ServoTiming, EchoWaitsForTheLatencyTimerWithTheReply)
{
    VirtualServo servo;
    ASSERT_TRUE(servo.control("echo 1"));
    ASSERT_TRUE(servo.control("latency 80"));
    ASSERT_TRUE(servo.start());
    HostLine host(servo.devicePath());

    // A packet to nobody, and one whose reply joins its echo in the adapter.
    Bytes toNobody = ramWritePacket(0x05, 0x32, {0x01});
    Bytes write = ramWritePacket(0x3F, 0x32, {0x01});
    for (const Bytes& expected : {toNobody, joined(write, {0x01})}) {
        auto start = Clock::now();
        host.send(Bytes(expected.begin(), expected.begin() + 4));
        pollfd pfd{host.fd(), POLLIN, 0};
        EXPECT_EQ(::poll(&pfd, 1, 60), 0) << "an echo before the timer ran out";
        EXPECT_EQ(host.receive(expected.size()), expected);
        EXPECT_GE(Clock::now() - start, 80ms);
        EXPECT_LT(Clock::now() - start, 80ms + 400ms);
    }
    EXPECT_TRUE(host.receive(1, 100ms).empty());
}

}  // namespace
