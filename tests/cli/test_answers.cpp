// Every answer of the servo judged: a clear the servo refuses or does not
// answer stops the run, naming the servo; scan lists no servo it did not
// hear whole; the read back after an ID change asks the new ID.
#include "tests/cli/cli_fixture.h"

#include <algorithm>

namespace {

class AnswersTest : public CliTest {
protected:
    std::vector<int> servoIds() const override { return {0x01, 0x02, 0x03}; }

    // The packets after the probes of a listed run: they are read blocks.
    std::vector<std::string> writes(std::size_t atLeast = 0)
    {
        std::vector<std::string> sent = packets(atLeast);
        std::erase_if(sent, [](const std::string& p) { return p.substr(3, 2) == "30"; });
        return sent;
    }
};

const std::string kClearOf01 = "81 02 00 00 68 07 11";

TEST_F(AnswersTest, ARefusedClearFailsNamingTheServoAndNothingFollowsIt)
{
    ASSERT_TRUE(servo->control("refuse -1"));
    RunResult clear = runOnServo({"clear", "--id", "1", "--yes"});
    EXPECT_EQ(clear.status, 10);
    EXPECT_NE(clear.err.find("ID 01 refused the FLASH write of SYS_PN (it answered 0x40)"), std::string::npos)
        << clear.err;
    EXPECT_EQ(clear.err.find("Settings cleared"), std::string::npos) << clear.err;
    EXPECT_EQ(writes(1), std::vector<std::string>{kClearOf01});

    servo->clearPackets();
    std::string values = writeFile("values.txt", "26 0x05\n");
    RunResult flash = runOnServo({"flash", values, "--id", "1", "--yes"});
    EXPECT_EQ(flash.status, 10);
    EXPECT_EQ(flash.err.find("Write finished"), std::string::npos) << flash.err;
    EXPECT_EQ(writes(1), std::vector<std::string>{kClearOf01});

    // A list stops at the first refusal: nothing is written to any servo.
    servo->clearPackets();
    RunResult listed = runOnServo({"flash", values, "--id", "1-3", "--yes"});
    EXPECT_EQ(listed.status, 10);
    EXPECT_NE(listed.err.find("ID 01"), std::string::npos) << listed.err;
    EXPECT_EQ(writes(1), std::vector<std::string>{kClearOf01});
    EXPECT_EQ(servo->flashMemory(0x02)[0x32], servo->memory(0x02)[0x32]);
}

TEST_F(AnswersTest, AnUnansweredClearFailsAsNoAnswerWithNoRestartAfterIt)
{
    ASSERT_TRUE(servo->control("silent 1"));
    RunResult clear = runOnServo({"clear", "--id", "2", "--yes", "--no-backup"});
    EXPECT_EQ(clear.status, 8);
    EXPECT_NE(clear.err.find("no answer from the ORVELIN with ID 02"), std::string::npos) << clear.err;
    EXPECT_EQ(writes(1), std::vector<std::string>{"82 02 00 00 68 07 11"});
}

class TwinTest : public CliTest {
protected:
    // Two servos share ID 01: their replies collide.
    std::vector<int> servoIds() const override { return {0x01, 0x01, 0x02}; }
};

TEST_F(TwinTest, ScanMarksTwoServosOnOneIdAsGarbledAndListsNoServoThatIsNotThere)
{
    RunResult scan = runOnServo({"scan", "--ids", "0-3"});
    EXPECT_EQ(scan.status, 9);
    std::vector<std::string> rows = linesOf(scan.out);
    ASSERT_EQ(rows.size(), 2u) << scan.out;
    EXPECT_EQ(rows[1].substr(0, 4), "02  ");
    EXPECT_NE(scan.err.find("ID 01 at 115200 baud: 16 bytes came after its reply"), std::string::npos) << scan.err;
}

TEST_F(TwinTest, AReplyFollowedByAnotherIsNeitherShownNorTakenForTheNextServos)
{
    // The second servo on 01 answers after the first: the next servo's
    // request would find its reply waiting.
    RunResult watch = runOnServo({"watch", "SYS_UID", "--count", "4", "--interval", "0", "--id", "1,2"});
    EXPECT_EQ(watch.status, 9);
    EXPECT_EQ(watch.out, "") << watch.out;
    EXPECT_NE(watch.err.find("followed the reply of the ORVELIN with ID 01"), std::string::npos) << watch.err;

    RunResult all = runOnServo({"table", "--id", "all"});
    EXPECT_EQ(all.status, 9);
    EXPECT_EQ(all.out, "");
    EXPECT_NE(all.err.find("ID 01 at 115200 baud: 16 bytes came after its reply"), std::string::npos) << all.err;
}

TEST_F(TwinTest, ASecondAnswerThatComesLateIsCaughtBeforeAnythingIsTakenForDone)
{
    // Paced, the second servo's reply is still on the wire when the next
    // request is due: no sample is shown, no update is said to be done.
    // Behind a 1 ms timer the first reply's last bytes come with the
    // second's first, as a real adapter passes them on: what the program
    // sees does not hang on when this process gets the processor.
    ASSERT_TRUE(servo->control("pace line"));
    ASSERT_TRUE(servo->control("latency 1"));
    RunResult watch = runOnServo({"watch", "FB_PG", "--count", "3", "--interval", "0", "--id", "1"});
    EXPECT_EQ(watch.status, 9) << watch.err;
    EXPECT_EQ(watch.out, "");
    RunResult update = runOnServo({"update", writeFile("fw.upd", std::string(40, '\x21')), "--id", "1", "--no-backup"});
    EXPECT_EQ(update.status, 9) << update.err;
    EXPECT_EQ(update.err.find("finished"), std::string::npos) << update.err;
}

class LateTest : public CliTest {
protected:
    std::vector<int> servoIds() const override { return {0x01}; }
};

TEST_F(LateTest, AReplyThatComesLateIsNotTakenForTheNextIds)
{
    ASSERT_TRUE(servo->control("delay 80"));
    RunResult scan = runOnServo({"scan", "--ids", "0-3"});
    EXPECT_EQ(scan.status, 9);
    EXPECT_EQ(linesOf(scan.out).size(), 1u) << scan.out;
    EXPECT_NE(scan.err.find("ID 01 at 115200 baud: its reply came late"), std::string::npos) << scan.err;
}

class IdChangeTest : public CliTest {
protected:
    std::vector<int> servoIds() const override { return {0x02}; }
};

TEST_F(IdChangeTest, TheReadBackAfterAnIdChangeAsksTheNewId)
{
    RunResult flash =
        runOnServo({"flash", writeFile("saved.txt", "3 0x01\n26 0x05\n"), "--id", "2", "--allow-id-change", "--yes"});
    EXPECT_EQ(flash.status, 0) << flash.err;
    EXPECT_NE(flash.err.find("Write finished"), std::string::npos) << flash.err;
    std::vector<std::string> sent = packets();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.back().substr(0, 6), "81 30 ") << sent.back();
}

}  // namespace
