// Servos that each hear one baud rate: silent while the host's line is set
// to another, and pacing at whatever rate the host has set.
#include "tests/servo/host_line.h"
#include "tools/virtual_servo.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

TEST(ServoRates, ListsGiveEachServoTheRateItHears)
{
    auto servos = parseBusServos("1@57600,2@115200,3F");
    ASSERT_TRUE(servos);
    ASSERT_EQ(servos->size(), 3u);
    EXPECT_EQ((*servos)[0].id, 0x01);
    EXPECT_EQ((*servos)[0].baud, 57600);
    EXPECT_EQ((*servos)[1].baud, 115200);
    EXPECT_EQ((*servos)[2].id, 0x3F);
    EXPECT_EQ((*servos)[2].baud, 0);
    for (const char* bad : {"1@", "1@0", "1@-9600", "1@fast", "40@9600", "@9600", "1@9600@9600"})
        EXPECT_FALSE(parseBusServos(bad)) << bad;
}

TEST(ServoRates, AServoHearsNothingAtAnotherRate)
{
    const std::vector<BusServo> bus{{0x01, 57600}, {0x02}};
    VirtualServo servo(bus);
    ASSERT_TRUE(servo.start());
    HostLine host(servo.devicePath());
    ASSERT_TRUE(host.setRate(115200));

    host.send(ramWritePacket(0x01, 0x32, {0x11}));
    EXPECT_TRUE(host.receive(1, 100ms).empty());
    EXPECT_NE(servo.memory(0x01)[0x32], 0x11);
    EXPECT_EQ(host.exchange(readBlockPacket(0x02, 0x00), 16).at(0x08), 0x02);

    // The same descriptor, set to the servo's rate.
    ASSERT_TRUE(host.setRate(57600));
    EXPECT_EQ(host.exchange(ramWritePacket(0x01, 0x32, {0x11}), 1), Bytes{0x11});
    EXPECT_EQ(servo.memory(0x01)[0x32], 0x11);
}

TEST(ServoRates, OneIdAtTwoRatesIsTwoServos)
{
    const std::vector<BusServo> bus{{0x01, 57600}, {0x01, 115200}};
    VirtualServo servo(bus);
    ASSERT_TRUE(servo.control("setid 01#2 20=68,07"));
    ASSERT_TRUE(servo.start());
    HostLine host(servo.devicePath());

    ASSERT_TRUE(host.setRate(115200));
    Bytes reply = host.exchange(readBlockPacket(0x01, 0x20), 17);
    ASSERT_EQ(reply.size(), 16u);
    EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 2), (Bytes{0x68, 0x07}));
    ASSERT_TRUE(host.setRate(57600));
    reply = host.exchange(readBlockPacket(0x01, 0x20), 17);
    ASSERT_EQ(reply.size(), 16u);
    EXPECT_NE(Bytes(reply.begin(), reply.begin() + 2), (Bytes{0x68, 0x07}));

    // "rate": the first servo hears every rate from now on.
    ASSERT_TRUE(servo.control("rate 01 0"));
    EXPECT_FALSE(servo.control("rate 01#3 9600"));
    EXPECT_FALSE(servo.control("rate 01 -1"));
    ASSERT_TRUE(host.setRate(115200));
    EXPECT_EQ(host.exchange(readBlockPacket(0x01, 0x20), 33).size(), 32u);
}

TEST(ServoTiming, PaceLineTakesTheRateTheHostSet)
{
    VirtualServo servo;
    ASSERT_TRUE(servo.control("pace line"));
    ASSERT_TRUE(servo.start());
    HostLine host(servo.devicePath());
    ASSERT_TRUE(host.setRate(9600));

    auto start = Clock::now();
    for (int address = 0x00; address <= 0x20; address += 0x10)
        ASSERT_EQ(host.exchange(readBlockPacket(0x3F, address), 16).size(), 16u);
    auto took = Clock::now() - start;

    // The terminal starts at 38400 baud, a quarter of this wire time.
    auto wire = std::chrono::microseconds(3 * (19 + 16) * 10 * 1000000LL / 9600);
    EXPECT_GE(took, wire);
    EXPECT_LT(took, wire + 400ms);
    ASSERT_TRUE(servo.control("pace 0"));
    EXPECT_FALSE(servo.faults().paceLine);
    EXPECT_FALSE(servo.control("pace lines"));
}

}  // namespace
