// A servo or a line that misbehaves: the command always comes back, in
// bounded time, with the outcome the operator is told about.
#include "link/lasterror.h"
#include "tests/link/link_test.h"
#include "link/serial.h"
#include "link/upload.h"

#include <chrono>
#include <filesystem>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

long msSince(Clock::time_point start)
{
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

}  // namespace

// A vanished servo cannot come back on the shared line of the Wine run.
#ifndef _WIN32
namespace {

std::vector<uint8_t> sevenBitImage(std::size_t n)
{
    std::vector<uint8_t> b(n);
    for (std::size_t k = 0; k < n; ++k)
        b[k] = static_cast<uint8_t>((k * 7) & 0x7F);
    return b;
}

}  // namespace

TEST_F(LinkTiming, ServoGoneBetweenCommandsEndsTheNextWithSerialOpen)
{
    EXPECT_EQ(runTerm("w 20 3e8").result, 0);
    servo.control("vanish");
    set_errexit_handler([](const char* text) { std::fprintf(stderr, "%s\n", text); });
    auto start = Clock::now();
    EXPECT_EXIT(runTerm("R"), ::testing::ExitedWithCode(1), "serial_open");
    EXPECT_LT(msSince(start), 5000);
}

TEST_F(LinkTiming, ServoGoneInTheMiddleOfAnUploadFailsItPromptly)
{
    TempFile file(sevenBitImage(1600));
    servo.control("vanish 20");
    auto start = Clock::now();
    auto r = runTerm("u " + file.path());
    EXPECT_LT(msSince(start), 3000);
    EXPECT_EQ(r.result, -1);
    EXPECT_EQ(r.lastError, kUploadNoAck);
    EXPECT_TRUE(r.trace.ends_with("retry failed\n")) << r.trace;
}

TEST_F(LinkTiming, ServoGoneInTheMiddleOfAReadAllLeavesZeros)
{
    servo.control("vanish 3");
    auto start = Clock::now();
    auto r = runTerm("R");
    EXPECT_LT(msSince(start), 2000);
    EXPECT_EQ(r.result, 0);
    EXPECT_NE(r.trace.find("(w:19)(r:16)10: "), std::string::npos) << r.trace;
    for (int a = 0x20; a < 0x60; ++a)
        ASSERT_EQ(param[a], 0) << a;
}
#endif

TEST_F(LinkTiming, LateReplyCountsAsNoReply)
{
    // The echo comes after the 10 + 10 x 1 ms the read waits for it.
    servo.control("delay 80");
    auto start = Clock::now();
    auto r = runTerm("w 9 1");
    EXPECT_LT(msSince(start), 500);
    EXPECT_EQ(r.trace, "000009 1 1\nffffffbf\n");
    // The echo is still on its way; it must not reach the next command.
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
}

TEST_F(LinkTiming, SlowButSteadyServoIsReadWhole)
{
    // Paced at 9600 baud a byte takes about 1 ms, inside the 10 ms gap allowed between bytes.
    servo.control("pace 9600");
    // Only a run in which the servo kept its pace says anything: a busy
    // machine can hold the virtual servo's thread past the gap.
    for (int attempt = 0; attempt < 3; ++attempt) {
        servo.mark();
        auto r = runTerm("R");
        if (servo.lag() < std::chrono::milliseconds(5)) {
            EXPECT_EQ(r.trace.find("(bytes err)"), std::string::npos) << r.trace;
            servo.control("reset");
            return;
        }
        servo.quiet();
    }
    servo.control("reset");
    GTEST_SKIP() << "the virtual servo fell behind its pace in every run: the machine is too busy";
}

TEST_F(LinkTest, UnreadableUpdateFileIsRefusedBeforeAnythingIsSent)
{
    TempFolder scratch;
    const std::string folder = scratch.file("firmware.upd");
    std::filesystem::create_directory(folder);
    auto r = runTerm("u " + folder);
    EXPECT_EQ(r.result, -1);
    EXPECT_EQ(r.lastError, kUploadOpenFailed);
    runTerm("s");
    EXPECT_EQ(servo.packets(1), std::vector<std::string>{"BF 41 4F 01"});
}

TEST_F(LinkTiming, AReplyThatCameAfterItsCommandDoesNotReachTheNext)
{
    // Windows' serial driver empties its buffers at every open; Wine's, on a
    // pseudo-terminal, keeps what waited, which a real COM port never shows.
    if (runningUnderWine())
        GTEST_SKIP() << "Wine keeps a pseudo-terminal's waiting input across opens";
    // The echo comes after the RAM write stopped waiting and waits on the line.
    servo.control("delay 100");
    EXPECT_EQ(runTerm("w 20 3e8").trace, "000020 3e8 2\nffffffbf\n");
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    servo.control("delay 0");
    auto r = runTerm("R");
    EXPECT_NE(r.trace.find("(w:19)(r:16)00: 35 18 03 02 "), std::string::npos) << r.trace;
    EXPECT_EQ(r.trace.find("(r?:"), std::string::npos) << r.trace;
}
