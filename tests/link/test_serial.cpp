// The serial layer on its own: opening, refusing, and the read time-outs.
#include "tests/link/link_test.h"
#include "link/serial.h"

#include <chrono>
#include <initializer_list>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

long msSince(Clock::time_point start)
{
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

#ifdef _WIN32
const char* kMissingPort = "\\\\.\\COM199";
#else
const char* kMissingPort = "/dev/orvelin-no-such-port";
#endif

}  // namespace

TEST(Serial, MissingPortGivesTheInvalidHandle)
{
    EXPECT_EQ(serial_open(kMissingPort, 115200, 10), SERIAL_INVALID);
    // Harmless no-ops, which callers rely on.
    serial_close(SERIAL_INVALID);
    serial_close(0);
}

TEST_F(LinkTest, PortIsHeldExclusively)
{
    if (runningUnderWine())
        GTEST_SKIP() << "Wine does not refuse a second open of a COM port";
    serial_handle first = serial_open(comPortName, baudRate, 10);
    ASSERT_NE(first, SERIAL_INVALID);
    EXPECT_EQ(serial_open(comPortName, baudRate, 10), SERIAL_INVALID);
    serial_close(first);
    serial_handle again = serial_open(comPortName, baudRate, 10);
    EXPECT_NE(again, SERIAL_INVALID) << "closing must give the port back";
    serial_close(again);
}

// A pseudo-terminal has no serial settings: the request is refused, the
// port works as before, and the next open is not held up by it. On Windows
// the request does not exist.
TEST_F(LinkTest, LowLatencyRefusedByAPseudoTerminalLeavesThePortWorking)
{
#ifdef _WIN32
    const LowLatency expected = LowLatency::Unavailable;
#else
    const LowLatency expected = LowLatency::Refused;
#endif
    EXPECT_EQ(serial_low_latency(SERIAL_INVALID), LowLatency::Unavailable);
    for (int round = 0; round < 2; ++round) {
        serial_handle h = serial_open(comPortName, baudRate, 10);
        ASSERT_NE(h, SERIAL_INVALID);
        EXPECT_EQ(serial_low_latency(h), expected);
        unsigned char packet[19] = {0xBF, 0x30, 0x00};
        EXPECT_EQ(serial_write(h, packet, 19), 19);
        EXPECT_EQ(serial_read(h, packet, 16), 16);
        serial_close(h);
    }
}

namespace {

// Asks for the first register block and times reads of its reply: the
// bytes each read got and how long it took.
struct TimedRead {
    int got;
    long ms;
};

std::vector<TimedRead> timeBlockReads(std::initializer_list<int> sizes)
{
    std::vector<TimedRead> reads;
    serial_handle h = serial_open(comPortName, baudRate, 10);
    EXPECT_NE(h, SERIAL_INVALID);
    unsigned char buf[19] = {0xBF, 0x30, 0x00};
    EXPECT_EQ(serial_write(h, buf, 19), 19);
    for (int n : sizes) {
        auto start = Clock::now();
        int got = serial_read(h, buf, n);
        reads.push_back({got, msSince(start)});
    }
    serial_close(h);
    return reads;
}

}  // namespace

TEST_F(LinkTiming, SilentReadsEndAfterTheTotalTimeout)
{
    servo.control("silent 1");
    auto reads = timeBlockReads({16, 1});
    EXPECT_EQ(reads[0].got, 0);
    EXPECT_EQ(reads[1].got, 0);
    // 10 + 10 x 16 = 170 ms and 10 + 10 = 20 ms; generous bounds for a busy machine.
    EXPECT_GE(reads[0].ms, 160);
    EXPECT_LT(reads[0].ms, 400);
    EXPECT_GE(reads[1].ms, 18);
    EXPECT_LT(reads[1].ms, 150);
}

TEST_F(LinkTiming, PromptReplyReturnsAtOnce)
{
    auto reads = timeBlockReads({16});
    EXPECT_EQ(reads[0].got, 16);
    EXPECT_LT(reads[0].ms, 60);
}

TEST_F(LinkTiming, InterByteGapEndsAShortRead)
{
    // Ten bytes come at once, the other six never: the read ends 10 ms after
    // the last byte, long before the 170 ms total.
    servo.control("short 10");
    auto reads = timeBlockReads({16});
    EXPECT_EQ(reads[0].got, 10);
    EXPECT_LT(reads[0].ms, 120);
}

#ifndef _WIN32
// Wine maps only the standard rates onto a pseudo-terminal; the POSIX backend takes any.
TEST_F(LinkTest, AnyBaudRateOpens)
{
    for (int baud : {14400, 230400, 250000}) {
        serial_handle h = serial_open(comPortName, baud, 10);
        EXPECT_NE(h, SERIAL_INVALID) << baud;
        serial_close(h);
    }
    EXPECT_EQ(serial_open(comPortName, 0, 10), SERIAL_INVALID);
}

TEST(Serial, WindowsNamesAreRefusedRatherThanGuessed)
{
    EXPECT_EQ(serial_open("COM3", 115200, 10), SERIAL_INVALID);
}
#endif

TEST_F(LinkTest, UnreachablePortEndsTheProgramWithSerialOpen)
{
    std::snprintf(comPortName, sizeof comPortName, "%s", kMissingPort);
    EXPECT_EXIT(
        {
            set_errexit_handler([](const char* text) { std::fprintf(stderr, "%s\n", text); });
            char line[32] = "";
            term(line);
        },
        ::testing::ExitedWithCode(1), "serial_open");
}
