// The serial layer on its own: opening, refusing, and the read time-outs.
#include "link_test.h"
#include "serial.h"

#include <chrono>

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

TEST_F(LinkTest, SilentReadsEndAfterTheTotalTimeout)
{
    servo.control("silent 1");
    serial_handle h = serial_open(comPortName, baudRate, 10);
    ASSERT_NE(h, SERIAL_INVALID);
    unsigned char buf[19] = {0xBF, 0x30, 0x00};
    ASSERT_EQ(serial_write(h, buf, 19), 19);
    auto start = Clock::now();
    EXPECT_EQ(serial_read(h, buf, 16), 0);
    long sixteen = msSince(start);
    start = Clock::now();
    EXPECT_EQ(serial_read(h, buf, 1), 0);
    long one = msSince(start);
    serial_close(h);
    // 10 + 10 x 16 = 170 ms and 10 + 10 = 20 ms; generous bounds for a busy machine.
    EXPECT_GE(sixteen, 160);
    EXPECT_LT(sixteen, 400);
    EXPECT_GE(one, 18);
    EXPECT_LT(one, 150);
}

TEST_F(LinkTest, PromptReplyReturnsAtOnce)
{
    serial_handle h = serial_open(comPortName, baudRate, 10);
    ASSERT_NE(h, SERIAL_INVALID);
    unsigned char buf[19] = {0xBF, 0x30, 0x00};
    ASSERT_EQ(serial_write(h, buf, 19), 19);
    auto start = Clock::now();
    EXPECT_EQ(serial_read(h, buf, 16), 16);
    long elapsed = msSince(start);
    serial_close(h);
    EXPECT_LT(elapsed, 60);
}

TEST_F(LinkTest, InterByteGapEndsAShortRead)
{
    // Ten bytes come at once, the other six never: the read ends 10 ms after
    // the last byte, long before the 170 ms total.
    servo.control("short 10");
    serial_handle h = serial_open(comPortName, baudRate, 10);
    ASSERT_NE(h, SERIAL_INVALID);
    unsigned char buf[19] = {0xBF, 0x30, 0x00};
    ASSERT_EQ(serial_write(h, buf, 19), 19);
    auto start = Clock::now();
    EXPECT_EQ(serial_read(h, buf, 16), 10);
    long elapsed = msSince(start);
    serial_close(h);
    EXPECT_LT(elapsed, 120);
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
