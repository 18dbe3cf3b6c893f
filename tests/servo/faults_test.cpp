// Misbehaviour on demand: the faults, the control file that sets them from
// another process, the packet log, and pacing at a baud rate.
#include "tests/servo/host_line.h"
#include "tests/support/temp_folder.h"
#include "tools/virtual_servo.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <poll.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int kId = 0x3F;

// A file path of this test's own, in a folder of its own removed afterwards.
class ScratchFile {
public:
    explicit ScratchFile(const std::string& name) : path_(folder_.file(name)) {}
    const std::string& path() const { return path_; }
    void append(const std::string& text) const { std::ofstream(path_, std::ios::app) << text << std::flush; }

private:
    TempFolder folder_;
    std::string path_;
};

TEST(ServoFaults, ShortReplyAndStrayBytes)
{
    VirtualServo servo;
    ASSERT_TRUE(servo.control("short 10"));
    ASSERT_TRUE(servo.control("stray 5"));
    ASSERT_TRUE(servo.start());
    HostLine host(servo.devicePath());

    Bytes reply = host.exchange(readBlockPacket(kId, 0x00), 64);
    ASSERT_EQ(reply.size(), 15u);
    std::vector<uint8_t> ram = servo.memory(kId);
    EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 10), Bytes(ram.begin(), ram.begin() + 10));
    for (uint8_t byte : reply)
        EXPECT_LT(byte, 0x80);
}

TEST(ServoFaults, SilentAnswersNothingAndBadBitMarksReplies)
{
    VirtualServo servo;
    ASSERT_TRUE(servo.control("silent 1"));
    ASSERT_TRUE(servo.start());
    HostLine host(servo.devicePath());
    host.send(ramWritePacket(kId, 0x32, {0x01}));
    EXPECT_TRUE(host.receive(1, 100ms).empty());

    ASSERT_TRUE(servo.control("silent 0"));
    ASSERT_TRUE(servo.control("badbit 1"));
    EXPECT_EQ(host.exchange(ramWritePacket(kId, 0x32, {0x01}), 1), Bytes{0x81});
    EXPECT_FALSE(servo.control("silent 2"));
}

TEST(ServoFaults, RefusedFlashWritesKeepFlashAndLeaveUploadsAlone)
{
    VirtualServo servo;
    std::vector<uint8_t> factory = servo.flashMemory(kId);
    ASSERT_TRUE(servo.control("refuse 2"));
    ASSERT_TRUE(servo.start());
    HostLine host(servo.devicePath());

    EXPECT_EQ(host.exchange(flashPacket(kId, 0x32, {0x11}), 1), Bytes{0x40});
    EXPECT_EQ(host.exchange(flashPacket(kId, 0x1000, {0x05}), 1), Bytes{0x00});
    EXPECT_EQ(host.exchange(flashPacket(kId, 0x00, {0x68, 0x07}), 1), Bytes{0x40});  // the clear
    EXPECT_EQ(servo.flashMemory(kId), factory);
    EXPECT_EQ(servo.uploadImage(kId), Bytes{0x05});

    EXPECT_EQ(host.exchange(flashPacket(kId, 0x32, {0x11}), 1), Bytes{0x00});
    EXPECT_EQ(servo.flashMemory(kId)[0x32], 0x11);
    EXPECT_EQ(servo.faults().refuseFlash, 0);
}

TEST(ServoFaults, RefuseMinusOneLastsUntilRefuseZeroOrReset)
{
    VirtualServo servo;
    ASSERT_TRUE(servo.control("refuse -1"));
    ASSERT_TRUE(servo.start());
    HostLine host(servo.devicePath());

    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(host.exchange(flashPacket(kId, 0x32, {0x11}), 1), Bytes{0x40});
    EXPECT_NE(servo.flashMemory(kId)[0x32], 0x11);
    ASSERT_TRUE(servo.control("refuse 0"));
    EXPECT_EQ(host.exchange(flashPacket(kId, 0x32, {0x11}), 1), Bytes{0x00});

    ASSERT_TRUE(servo.control("refuse -1"));
    ASSERT_TRUE(servo.control("reset"));
    EXPECT_EQ(host.exchange(flashPacket(kId, 0x33, {0x22}), 1), Bytes{0x00});
    EXPECT_EQ(servo.flashMemory(kId)[0x33], 0x22);
    EXPECT_FALSE(servo.control("refuse -2"));
}

TEST(ServoTiming, ReplyDelayHoldsTheAnswerBack)
{
    VirtualServo servo;
    ASSERT_TRUE(servo.control("delay 150"));
    ASSERT_TRUE(servo.start());
    HostLine host(servo.devicePath());

    auto start = Clock::now();
    EXPECT_EQ(host.exchange(ramWritePacket(kId, 0x32, {0x01}), 1), Bytes{0x01});
    EXPECT_GE(Clock::now() - start, 150ms);
}

TEST(ServoTiming, PacingTakesTheWireTimeOfAReadAll)
{
    VirtualServo servo;
    ASSERT_TRUE(servo.control("pace 9600"));
    ASSERT_TRUE(servo.start());
    HostLine host(servo.devicePath());

    auto start = Clock::now();
    for (int address = 0x00; address <= 0x50; address += 0x10)
        ASSERT_EQ(host.exchange(readBlockPacket(kId, address), 16).size(), 16u);
    auto took = Clock::now() - start;

    auto wire = std::chrono::microseconds(6 * (19 + 16) * 10 * 1000000LL / 9600);
    EXPECT_GE(took, wire);
    EXPECT_LT(took, wire + 400ms);
}

TEST(ServoTiming, LatencyTimerHoldsEveryReplyOnTopOfThePacing)
{
    VirtualServo servo;
    ASSERT_TRUE(servo.control("pace 9600"));
    ASSERT_TRUE(servo.control("latency 80"));
    ASSERT_TRUE(servo.start());
    HostLine host(servo.devicePath());

    // A one-byte echo and a whole block alike wait for the timer.
    for (const Bytes& packet : {ramWritePacket(kId, 0x32, {0x01}), readBlockPacket(kId, 0x00)}) {
        std::size_t expected = packet.size() == 4 ? 1 : 16;
        auto start = Clock::now();
        host.send(packet);
        pollfd pfd{host.fd(), POLLIN, 0};
        EXPECT_EQ(::poll(&pfd, 1, 60), 0) << "a reply before the timer ran out";
        EXPECT_EQ(host.receive(expected).size(), expected);
        EXPECT_GE(Clock::now() - start, 80ms);
        EXPECT_LT(Clock::now() - start, 80ms + 400ms);
    }
    EXPECT_FALSE(servo.control("latency -1"));
}

TEST(ServoFaults, VanishHangsUpTheLine)
{
    VirtualServo servo;
    ASSERT_TRUE(servo.start());
    HostLine host(servo.devicePath());
    ASSERT_EQ(host.exchange(readBlockPacket(kId, 0x00), 16).size(), 16u);

    EXPECT_TRUE(servo.control("vanish"));

    pollfd pfd{host.fd(), POLLIN, 0};
    ASSERT_EQ(::poll(&pfd, 1, 1000), 1);
    EXPECT_NE(pfd.revents & (POLLHUP | POLLERR), 0);
    uint8_t byte = 0;
    EXPECT_LE(::read(host.fd(), &byte, 1), 0);
    EXPECT_TRUE(servo.faults().vanish);
}

TEST(ServoFaults, ControlFileLinesApplyBeforeTheNextPacket)
{
    ScratchFile control("servo-control");
    VirtualServo servo;
    servo.watchControlFile(control.path());
    ASSERT_TRUE(servo.start());
    HostLine host(servo.devicePath());

    control.append("short 4\r\nsetid 3F 40=55\nstray");
    EXPECT_EQ(host.exchange(readBlockPacket(kId, 0x40), 16), (Bytes{0x55, 0x05, 0x52, 0x06}));
    EXPECT_EQ(servo.faults().strayAfterRead, 0);
    control.append(" 2\nvanish\n");
    host.send(readBlockPacket(kId, 0x40));
    pollfd pfd{host.fd(), POLLIN, 0};
    ASSERT_EQ(::poll(&pfd, 1, 1000), 1);
    EXPECT_NE(pfd.revents & POLLHUP, 0);
    EXPECT_EQ(servo.faults().strayAfterRead, 2);
}

TEST(ServoFaults, PacketLogHasOneLinePerPacket)
{
    ScratchFile log("servo-log");
    VirtualServo servo;
    servo.logPacketsTo(log.path());
    ASSERT_TRUE(servo.start());
    HostLine host(servo.devicePath());

    host.exchange(ramWritePacket(kId, 0x09, {0x01}), 1);
    host.exchange(positionPacket(0x01, 0x800, 0x00), 4);

    std::ifstream in(log.path());
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "BF 61 09 01\nC1 00 10 00 00\n");
}

}  // namespace
