// orvelin scan on a bus of several servos, and orvelin watch following a
// register that moves between samples.
#include "tests/cli/cli_fixture.h"

#include "link/registers.h"

#include <set>
#include <sstream>

namespace {

class ScanTest : public CliTest {
protected:
    std::vector<int> servoIds() const override { return {0x01, 0x02, 0x05}; }
};

using WatchTest = CliTest;

TEST_F(ScanTest, FindsExactlyTheServosOnTheBus)
{
    servo->setMemory(0x05, 0x00, {0x11, 0x22, 0x33, 0x44});
    RunResult r = runOnServo({"scan"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> lines = linesOf(r.out);
    ASSERT_EQ(lines.size(), 4u) << r.out;
    EXPECT_EQ(lines[0], "ID  SYS_PN  SYS_VER  BAUD");
    std::vector<uint8_t> one = servo->memory(0x01);
    char expected[64];
    std::snprintf(expected, sizeof expected, "01  0x%04X  0x%04X   115200", decodeGroups(&one[0], 2),
                  decodeGroups(&one[2], 2));
    EXPECT_EQ(lines[1], expected);
    EXPECT_EQ(lines[2].substr(0, 2), "02");
    EXPECT_EQ(lines[3], "05  0x1111  0x2233   115200");
    // One read-block packet per ID, then one to confirm each servo found, nothing more.
    EXPECT_EQ(packets(64 + 3).size(), 64u + 3u);
}

TEST_F(ScanTest, IdListsBaudListsAndEmptyBuses)
{
    RunResult rates = runOnServo({"scan", "--ids", "2,3", "--baud", "57600,115200"});
    EXPECT_EQ(rates.status, 0) << rates.err;
    std::vector<uint8_t> two = servo->memory(0x02);
    char found[64];
    std::snprintf(found, sizeof found, "02  0x%04X  0x%04X   ", decodeGroups(&two[0], 2), decodeGroups(&two[2], 2));
    EXPECT_EQ(linesOf(rates.out), (std::vector<std::string>{"ID  SYS_PN  SYS_VER  BAUD", found + std::string("57600"),
                                                            found + std::string("115200")}));
    EXPECT_EQ(packets(2 * (2 + 1)).size(), 6u);

    RunResult none = runOnServo({"scan", "--ids", "10-12"});
    EXPECT_EQ(none.status, 8);
    EXPECT_NE(none.err.find("no servo answered on " + port()), std::string::npos) << none.err;

    EXPECT_EQ(runOnServo({"scan", "--ids", "0-40"}).status, 2);
    EXPECT_EQ(runOnServo({"scan", "--baud", "9600,"}).status, 2);
}

TEST_F(WatchTest, FollowsARegisterThatMoves)
{
    // A position write sends the servo from 0x801 towards 0x100.
    ASSERT_EQ(runOnServo({"term", "b 3f 3f 100 1"}).status, 0);
    RunResult r = runOnServo({"watch", "M_POS", "SYS_PN", "--csv", "--count", "5", "--interval", "50"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> lines = linesOf(r.out);
    ASSERT_EQ(lines.size(), 6u) << r.out;
    EXPECT_EQ(lines[0], "time_s,M_POS,SYS_PN");
    uint32_t partNumber = decodeGroups(&servo->memory(0x3F)[0], 2);
    double lastTime = -1;
    long lastPosition = 0x801 + 1;
    for (std::size_t k = 1; k < lines.size(); ++k) {
        std::istringstream in(lines[k]);
        double time = 0;
        long position = 0;
        long pn = 0;
        char comma = 0;
        ASSERT_TRUE(in >> time >> comma >> position >> comma >> pn) << lines[k];
        EXPECT_GT(time, lastTime);
        EXPECT_LT(position, lastPosition) << r.out;
        EXPECT_GT(position, 0x100);
        EXPECT_EQ(pn, static_cast<long>(partNumber));
        lastTime = time;
        lastPosition = position;
    }
}

TEST_F(WatchTest, TextLinesAndRefusals)
{
    RunResult r = runOnServo({"watch", "SYS_VER", "0x2C", "--count", "2"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> lines = linesOf(r.out);
    ASSERT_EQ(lines.size(), 2u);
    std::vector<uint8_t> memory = servo->memory(0x3F);
    char values[64];
    std::snprintf(values, sizeof values, "  SYS_VER=0x%04X  M_ENC=0x%08X", decodeGroups(&memory[2], 2),
                  decodeGroups(&memory[0x2C], 4));
    EXPECT_EQ(lines[1].substr(9), values);

    // A sample with bytes missing or extra ends the watch, unshown.
    ASSERT_TRUE(servo->control("stray 2"));
    RunResult noisy = runOnServo({"watch", "M_POS", "--count", "3", "--csv"});
    EXPECT_EQ(noisy.status, 9);
    EXPECT_EQ(linesOf(noisy.out), std::vector<std::string>{"time_s,M_POS"});
    EXPECT_NE(noisy.err.find("stray bytes"), std::string::npos) << noisy.err;
    ASSERT_TRUE(servo->control("silent 1"));
    RunResult silent = runOnServo({"watch", "M_POS", "--count", "1", "--csv"});
    EXPECT_EQ(silent.status, 8);
    EXPECT_NE(silent.err.find("no answer from the ORVELIN"), std::string::npos) << silent.err;

    EXPECT_EQ(runOnServo({"watch"}).status, 2);
    EXPECT_EQ(runOnServo({"watch", "M_POS", "--count", "0"}).status, 2);
    EXPECT_EQ(runOnServo({"watch", "M_POS", "--interval", "soon"}).status, 2);
    EXPECT_EQ(runOnServo({"watch", "M_POSS"}).status, 2);
}

}  // namespace

namespace {

TEST_F(ScanTest, OnATerminalALineShowsWhichIdIsTried)
{
    RunResult r = runOnServo({"scan", "--ids", "1-3"}, RunOptions().onTerminal());
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("scanning ID 03 (3 of 3) at 115200 baud"), std::string::npos) << r.out;
    // A found servo's line starts clean: the progress is wiped before it.
    EXPECT_NE(r.out.find("\r01  0x"), std::string::npos) << r.out;
}

}  // namespace
