// The search for servos on real buses: each servo at the one rate it hears,
// servos that answer late or behind an adapter's latency timer, and an
// adapter that echoes every byte, under which every command works as on a
// plain one and says so once.
#include "tests/cli/cli_fixture.h"

#include <algorithm>

namespace {

class SearchTest : public CliTest {
protected:
    std::vector<int> servoIds() const override { return {0x01, 0x02, 0x3F}; }

    // "01 57600" for each line the scan listed.
    std::vector<std::string> found(const RunResult& r)
    {
        std::vector<std::string> rows;
        for (const std::string& line : linesOf(r.out))
            if (line.rfind("ID", 0) != 0)
                rows.push_back(line.substr(0, 2) + line.substr(line.rfind(' ')));
        return rows;
    }
};

int countOf(const std::string& text, const std::string& what)
{
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

TEST_F(SearchTest, EveryRateFindsEachServoAtTheRatesItHearsAndNoOther)
{
    ASSERT_TRUE(servo->control("rate 01 57600"));
    ASSERT_TRUE(servo->control("rate 02 19200"));
    RunResult r = runOnServo({"scan", "--baud", "all"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(found(r), (std::vector<std::string>{"3F 14400", "02 19200", "3F 19200", "3F 38400", "01 57600",
                                                  "3F 57600", "3F 115200", "3F 230400"}))
        << r.out << r.err;
}

TEST_F(SearchTest, ServosLateByUpTo20MsOrBehindA16MsTimerAreFound)
{
    const std::vector<std::string> all{"01 115200", "02 115200", "3F 115200"};
    ASSERT_TRUE(servo->control("delay 20"));
    RunResult late = runOnServo({"scan"});
    EXPECT_EQ(late.status, 0) << late.err;
    EXPECT_EQ(found(late), all) << late.err;
    ASSERT_TRUE(servo->control("reset"));
    ASSERT_TRUE(servo->control("latency 16"));
    RunResult held = runOnServo({"scan"});
    EXPECT_EQ(held.status, 0) << held.err;
    EXPECT_EQ(found(held), all) << held.err;
}

TEST_F(SearchTest, BehindAnEchoingAdapterEveryCommandWorksAsOnAPlainOneAndSaysSoOnce)
{
    const std::string note = "returns every byte it sends (a one-wire adapter)";
    RunResult plainTable = runOnServo({"table", "--id", "1,2"});
    ASSERT_EQ(plainTable.status, 0) << plainTable.err;
    EXPECT_EQ(countOf(plainTable.err, note), 0);

    ASSERT_TRUE(servo->control("echo 1"));
    RunResult table = runOnServo({"table", "--id", "1,2"});
    EXPECT_EQ(table.status, 0) << table.err;
    EXPECT_EQ(table.out, plainTable.out);
    EXPECT_EQ(countOf(table.err, note), 1) << table.err;
    EXPECT_EQ(found(runOnServo({"scan"})), (std::vector<std::string>{"01 115200", "02 115200", "3F 115200"}));
    EXPECT_EQ(runOnServo({"set", "M_POS", "3e8", "--id", "1"}).status, 0);
    RunResult flash = runOnServo({"flash", writeFile("v.txt", "26 0x05\n"), "--id", "2", "--yes", "--no-backup"});
    EXPECT_EQ(flash.status, 0) << flash.err;
    EXPECT_EQ(servo->flashMemory(0x02)[0x32], 0x05);
    RunResult update = runOnServo({"update", writeFile("fw.upd", std::string(40, '\x21')), "--id", "1"});
    EXPECT_EQ(update.status, 0) << update.err;
    EXPECT_EQ(countOf(update.err, note), 1) << update.err;
    RunResult term = runOnServo({"term", "--id", "2", "R"});
    EXPECT_EQ(term.status, 0) << term.err;
    EXPECT_NE(term.out.find("32:FB_PG  =05"), std::string::npos) << term.out;

    // Its echo is not an answer: a silent servo stays silent.
    ASSERT_TRUE(servo->control("silent 1"));
    RunResult silent = runOnServo({"table", "--id", "2"});
    EXPECT_EQ(silent.status, 8) << silent.err;
}

}  // namespace
