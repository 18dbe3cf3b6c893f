// orvelin term: command lines in order, from arguments or standard input,
// with the port settings from options or servoconf.ini, and its statuses.
#include "tests/cli/cli_fixture.h"

#include <fstream>

namespace {

using TermTest = CliTest;

TEST_F(TermTest, RunsEachLineInOrderWithItsTrace)
{
    RunResult r = runOnServo({"term", "w 2c 12345", "f 0 3e8"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(packets(2), (std::vector<std::string>{"BF 64 2C 45 46 04 00", "BF 02 00 00 68 07 11"}));
    EXPECT_NE(r.out.find("00002c 12345 4\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("000000 3e8 2\n(1)00\n"), std::string::npos) << r.out;
}

TEST_F(TermTest, ReadsLinesFromStandardInputAndTakesTheId)
{
    RunResult r = runOnServo({"term", "--id", "1a"}, RunOptions().withInput("w 9 1\r\ns\n"));
    EXPECT_EQ(r.status, 0) << r.err;
    // No servo has ID 1A: the write goes unanswered, the fixed packet always carries BF.
    EXPECT_EQ(packets(2), (std::vector<std::string>{"9A 61 09 01", "BF 41 4F 01"}));

    RunResult all = runOnServo({"term", "R"});
    EXPECT_EQ(all.status, 0);
    EXPECT_NE(all.out.find("20:M_POS  ="), std::string::npos) << all.out;
}

TEST_F(TermTest, PortThatCannotBeOpenedEndsWithStatusOne)
{
    RunResult r = run({"term", "--port", pathOf("no-such-tty"), "R"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("serial_open"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("orvelin ports"), std::string::npos) << r.err;
}

TEST_F(TermTest, UsageErrorsSendNothing)
{
    RunResult windowsName = run({"term", "--port", "COM3", "R"});
    EXPECT_EQ(windowsName.status, 2);
    EXPECT_NE(windowsName.err.find("'COM3' is not a device path"), std::string::npos) << windowsName.err;

    EXPECT_EQ(runOnServo({"term", "--bogus", "R"}).status, 2);
    EXPECT_EQ(runOnServo({"term", "--baud", "fast", "R"}).status, 2);
    EXPECT_EQ(runOnServo({"term", "--id", "40", "R"}).status, 2);
    RunResult tooLong = runOnServo({"term", "R", "w " + std::string(2000, '1')});
    EXPECT_EQ(tooLong.status, 2);
    EXPECT_TRUE(packets().empty());
}

TEST_F(TermTest, PortAndBaudComeFromTheConfigurationFile)
{
    RunResult defaults = run({"term", "w 9 1"});
    EXPECT_EQ(defaults.status, 2);
    EXPECT_NE(defaults.err.find("orvelin config --port"), std::string::npos) << defaults.err;

    std::ofstream(configFile) << "[SERIAL]\nPORT=" << port() << "\nBAUDRATE=57600\n";
    RunResult r = run({"term", "w 9 1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(packets(1), (std::vector<std::string>{"BF 61 09 01"}));
}

TEST_F(TermTest, FailedUploadStopsWithStatusThree)
{
    std::string image = writeFile("fw.upd", "\x01\x02\x03");
    ASSERT_TRUE(servo->control("silent 1"));
    RunResult r = runOnServo({"term", "u " + image, "w 9 1"});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("no answer from the ORVELIN"), std::string::npos) << r.err;
    // Five attempts of the one chunk, and no restart request after them.
    EXPECT_EQ(packets(5), std::vector<std::string>(5, "BF 03 00 20 01 02 03 5A"));

    servo->clearPackets();
    ASSERT_TRUE(servo->control("silent 0"));
    std::string bad = writeFile("bad.upd", "\x01\x80");
    RunResult refused = runOnServo({"term", "u " + bad});
    EXPECT_EQ(refused.status, 3);
    EXPECT_NE(refused.err.find("not valid"), std::string::npos) << refused.err;
    EXPECT_TRUE(packets().empty());
}

}  // namespace

namespace {

TEST_F(TermTest, NotesTellWhatTheInterpreterTakesInSilence)
{
    RunResult r = runOnServo({"term", "bogus", "w 20", "x 1 2", "w 20 99999999", "w 15 1", "w 9 1ff", ""});
    EXPECT_EQ(r.status, 0) << r.err;
    for (const char* note : {
             "note: 'bogus' ran as the command 'b': only the first letter of 'bogus' counts",
             "note: 'bogus': no ID from 1 to 0, so only the fixed packet was sent",
             "note: 'w 20' sent nothing: w needs an address and a value",
             "note: 'x 1 2' sent nothing: 'x' is not a command",
             "note: 'w 20 99999999' sent nothing: the address or the value is negative or beyond 32 bits",
             "note: 'w 15 1' sent nothing: no register starts at address 0x15",
             "note: 'w 9 1ff': 0x1FF is too wide for SYS_RST, which gets 0x7F",
             "note: an empty line sends nothing",
         })
        EXPECT_NE(r.err.find(note), std::string::npos) << note << "\n" << r.err;
    // Read as 'Read', the documented spelling, a word is no surprise.
    EXPECT_EQ(runOnServo({"term", "Read"}).err, "");

    // Under --strict a note is an error, and a line noted before it is sent is not sent.
    servo->clearPackets();
    RunResult strict = runOnServo({"term", "--strict", "w 20 3e8", "w 9 1ff", "s"});
    EXPECT_EQ(strict.status, 2);
    EXPECT_EQ(packets(1), std::vector<std::string>{"BF 62 20 68 07"});

    ASSERT_TRUE(servo->control("silent 1"));
    RunResult silent = runOnServo({"term", "w 20 3e8", "R"});
    EXPECT_EQ(silent.status, 0);
    EXPECT_NE(silent.err.find("note: 'w 20 3e8': no reply from the ORVELIN with ID 3F"), std::string::npos) << silent.err;
    EXPECT_NE(silent.err.find("note: 'R': no reply"), std::string::npos) << silent.err;
    EXPECT_EQ(runOnServo({"term", "--strict", "R"}).status, 2);
    ASSERT_TRUE(servo->control("silent 0"));
    ASSERT_TRUE(servo->control("short 10"));
    RunResult shortReply = runOnServo({"term", "R"});
    EXPECT_NE(shortReply.err.find("note: 'R': only 60 of the 96 reply bytes came"), std::string::npos) << shortReply.err;
}

}  // namespace
