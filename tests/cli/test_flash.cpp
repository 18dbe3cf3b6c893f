// FLASH value files and the window's clear and FLASH write: the same rows,
// texts and command lines as the window, then the same packets.
#include "tests/cli/cli_fixture.h"

#include "cli/staged_values.h"

namespace {

using FlashTest = CliTest;

// The edge cases of the window's FLASH write: rows 0, 4, 18 and 33, in a
// file written out of row order with CR LF line ends.
constexpr const char* kStagedFile = "18 0x03E8\r\n4 0x01\r\n33 0x05\r\n0 0x0C35\r\n";
const std::vector<std::string> kWindowLines{"f 0 3e8",   "w 9 1",   "f 0 0C35", "f 9 01",
                                            "f 20 03E8", "f 3a 05", "w 9 1"};
const std::vector<std::string> kWindowPackets{"BF 02 00 00 68 07 11", "BF 61 09 01",         "BF 02 00 00 35 18 33",
                                              "BF 01 09 00 01 76",    "BF 02 20 00 68 07 71", "BF 01 3A 00 05 41",
                                              "BF 61 09 01"};

std::vector<std::string> linesFor(const std::string& path)
{
    auto staged = loadStagedValues(path);
    return staged ? stagedValueLines(*staged) : std::vector<std::string>{"(refused)"};
}

TEST_F(FlashTest, FileRowsBecomeTheWindowsValueLines)
{
    EXPECT_EQ(linesFor(writeFile("a.txt", kStagedFile)),
              (std::vector<std::string>{"f 0 0C35", "f 9 01", "f 20 03E8", "f 3a 05"}));
    // Blank lines and blanks around the pair are layout.
    EXPECT_EQ(linesFor(writeFile("b.txt", "\n  62\t0x7F  \n\n")), (std::vector<std::string>{"f 5f 7F"}));
}

TEST_F(FlashTest, AnythingButTheWindowsFormIsRefusedWithItsLine)
{
    struct Case {
        std::string file;
        std::string says;
    };
    const Case cases[] = {
        {"18 800\n", "line 1: '800' for M_POS is not 0x followed by up to 8 hexadecimal digits"},
        {"5 0x10\n18\n3 0x01\n", "line 2: '18' is not 'ROW VALUE'"},
        {"18 zzzz\n", "line 1: 'zzzz' for M_POS"},
        {"18 0x\n", "line 1: '0x' for M_POS"},
        {"3 0x01 7 0x02\n", "line 1: '3 0x01 7 0x02' is not 'ROW VALUE'"},
        {"63 0x01\n", "line 1: row '63' is not one of the 63 registers"},
        {"-1 0x01\n", "line 1: row '-1'"},
        {"18 0x4000\n", "line 1: 0x4000 is too wide for M_POS: 2 bytes of 7 bits hold 0 to 0x3FFF"},
        {"18 0x03E8\n4 0x01\n18 0x0001\n", "line 3: row 18 (M_POS) was given before, on line 1"},
        {"", "stages no value; nothing was sent and the settings were not cleared"},
        {"\n\n", "stages no value"},
    };
    for (const Case& c : cases) {
        RunResult r = runOnServo({"flash", writeFile("bad.txt", c.file), "--yes"});
        EXPECT_EQ(r.status, 2) << c.file;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    }
    RunResult missing = runOnServo({"flash", pathOf("missing.txt"), "--yes"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("cannot open " + pathOf("missing.txt")), std::string::npos) << missing.err;
    RunResult directory = runOnServo({"flash", folder, "--yes"});
    EXPECT_EQ(directory.status, 2);
    EXPECT_NE(directory.err.find("is not a plain file"), std::string::npos) << directory.err;
    EXPECT_EQ(packets(), std::vector<std::string>{});
}

TEST_F(FlashTest, DryRunPrintsTheLinesTheWindowSends)
{
    RunResult r = run({"flash", "--dry-run", writeFile("staged.txt", kStagedFile)});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(linesOf(r.out), kWindowLines);
    EXPECT_TRUE(packets().empty());
}

TEST_F(FlashTest, OnATerminalItClearsAsksWritesRestartsAndReadsBack)
{
    RunResult r = runOnServo({"flash", writeFile("staged.txt", kStagedFile), "--no-backup"},
                             RunOptions().withInput("\n").onTerminal());
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("Settings cleared: Restart the ORVELIN and press Enter."), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Write finished: The FLASH write is complete."), std::string::npos) << r.out;
    std::vector<std::string> sent = packets(kWindowPackets.size() + 6);
    ASSERT_EQ(sent.size(), kWindowPackets.size() + 6);
    EXPECT_EQ(std::vector<std::string>(sent.begin(), sent.begin() + 7), kWindowPackets);
    // The read back after the restart: the six blocks of a read-all.
    for (std::size_t k = 7; k < sent.size(); ++k)
        EXPECT_EQ(sent[k].substr(0, 6), "BF 30 ") << sent[k];
    std::vector<uint8_t> flash = servo->flashMemory(0x3F);
    EXPECT_EQ(flash[0x20], 0x68);
    EXPECT_EQ(flash[0x21], 0x07);
    EXPECT_EQ(flash[0x3A], 0x05);
}

TEST_F(FlashTest, NothingIsClearedWhenTheRestartCannotBeAsked)
{
    RunResult r = runOnServo({"flash", writeFile("staged.txt", kStagedFile)}, RunOptions().withInput("\n"));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("standard input is not a terminal"), std::string::npos) << r.err;
    EXPECT_TRUE(packets().empty());
}

TEST_F(FlashTest, AValueThatDoesNotReadBackFailsTheWrite)
{
    ASSERT_TRUE(servo->control("locked 1"));
    RunResult r = runOnServo({"flash", writeFile("staged.txt", "18 0x03E8\n"), "--yes"});
    EXPECT_EQ(r.status, 10);
    EXPECT_NE(r.err.find("M_POS was written with 0x03E8 but reads back 0x"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("Write finished"), std::string::npos) << r.err;
}

TEST_F(FlashTest, ClearSendsTheWindowsLinesAndAsksForTheRestart)
{
    RunResult r = runOnServo({"clear", "--yes", "--no-backup"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "Settings cleared\n");
    EXPECT_EQ(packets(2), (std::vector<std::string>{"BF 02 00 00 68 07 11", "BF 61 09 01"}));

    RunResult ja = runOnServo({"clear", "--no-backup"}, RunOptions().withInput("\n").withEnv("LANG", "ja_JP.UTF-8"));
    EXPECT_EQ(ja.status, 0);
    EXPECT_EQ(ja.err, "消去完了: ORVELINを再起動してEnterを押してください\n");
    RunResult overridden = runOnServo(
        {"clear", "--no-backup"}, RunOptions().withInput("\n").withEnv("LANG", "ja_JP.UTF-8").withEnv("LC_ALL", "C"));
    EXPECT_EQ(overridden.err, "Settings cleared: Restart the ORVELIN and press Enter.\n");

    ASSERT_TRUE(servo->control("silent 1"));
    RunResult silent = runOnServo({"clear", "--yes"});
    EXPECT_EQ(silent.status, 8);
    EXPECT_NE(silent.err.find("no answer from the ORVELIN"), std::string::npos) << silent.err;
}

}  // namespace
