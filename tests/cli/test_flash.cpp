// FLASH value files and the window's clear and FLASH write: the same rows,
// texts and command lines as the window, then the same packets.
#include "cli_fixture.h"

#include "staged_values.h"

namespace {

using FlashTest = CliTest;

// The edge cases of the window's FLASH write: rows 0, 4, 18 and 33, one of
// them loaded without the 0x prefix, in a file written out of row order.
constexpr const char* kStagedFile = "18 0x03E8\n4 0x01\n33 0x05\n0 1234\n";
const std::vector<std::string> kWindowLines{"f 0 3e8", "w 9 1",     "f 0 34", "f 9 01",
                                            "f 20 03E8", "f 3a 05", "w 9 1"};

std::vector<std::string> linesFor(const std::string& path)
{
    auto staged = loadStagedValues(path);
    return staged ? stagedValueLines(*staged) : std::vector<std::string>{"(refused)"};
}

TEST_F(FlashTest, FileRowsBecomeTheWindowsValueLines)
{
    EXPECT_EQ(linesFor(writeFile("a.txt", kStagedFile)),
              (std::vector<std::string>{"f 0 34", "f 9 01", "f 20 03E8", "f 3a 05"}));
    // A later pair for a row wins; rows outside the table are ignored.
    EXPECT_EQ(linesFor(writeFile("b.txt", "5 0xAA\n3 0xBB\n5 0xCC\n100 0x01\n-1 0x02\n")),
              (std::vector<std::string>{"f 8 BB", "f a CC"}));
    // Any white space separates, CR LF and several pairs on a line included.
    EXPECT_EQ(linesFor(writeFile("c.txt", "3 0x01 7 0x02\r\n\t62  0x7F\r\n")),
              (std::vector<std::string>{"f 8 01", "f e 02", "f 5f 7F"}));
    // Cells of fewer than three characters send nothing.
    EXPECT_EQ(linesFor(writeFile("d.txt", "2 0x\n4 7\n")), std::vector<std::string>{});
    EXPECT_EQ(linesFor(writeFile("e.txt", "")), std::vector<std::string>{});
    // The window reads 63 characters of a cell back out of its list.
    EXPECT_EQ(linesFor(writeFile("f.txt", "18 0x" + std::string(200, '1') + "\n")),
              (std::vector<std::string>{"f 20 " + std::string(61, '1')}));
    // A text no cell can hold is refused, never cut into another value.
    EXPECT_EQ(linesFor(writeFile("g.txt", "18 0x" + std::string(300, '1') + "\n")),
              std::vector<std::string>{"(refused)"});
}

TEST_F(FlashTest, MalformedOrMissingFilesAreRefused)
{
    EXPECT_FALSE(loadStagedValues(writeFile("a.txt", "3 0x01\nrow 0x02\n")));
    EXPECT_FALSE(loadStagedValues(writeFile("b.txt", "3 0x01\n7\n")));
    EXPECT_FALSE(loadStagedValues(pathOf("missing.txt")));

    RunResult missing = runOnServo({"flash", pathOf("missing.txt"), "--yes"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("cannot open " + pathOf("missing.txt")), std::string::npos) << missing.err;
    RunResult bad = runOnServo({"flash", writeFile("c.txt", "3 0x01\nrow 0x02\n"), "--yes"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("line 2: 'row' is not a row number"), std::string::npos) << bad.err;
    EXPECT_TRUE(packets().empty());
}

TEST_F(FlashTest, DryRunPrintsTheLinesTheWindowSends)
{
    RunResult r = run({"flash", "--dry-run", writeFile("staged.txt", kStagedFile)});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(linesOf(r.out), kWindowLines);
    EXPECT_TRUE(packets().empty());
}

TEST_F(FlashTest, FlashSendsTheLinesAndTheServoKeepsTheValues)
{
    RunResult r = runOnServo({"flash", writeFile("staged.txt", kStagedFile)}, RunOptions().withInput("\n"));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("Settings cleared: Restart the ORVELIN and press Enter."), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Write finished: The FLASH write is complete."), std::string::npos) << r.err;
    EXPECT_EQ(packets(7), (std::vector<std::string>{"BF 02 00 00 68 07 11", "BF 61 09 01", "BF 02 00 00 34 00 4C",
                                                    "BF 01 09 00 01 76", "BF 02 20 00 68 07 71",
                                                    "BF 01 3A 00 05 41", "BF 61 09 01"}));
    std::vector<uint8_t> flash = servo->flashMemory(0x3F);
    EXPECT_EQ(flash[0x20], 0x68);
    EXPECT_EQ(flash[0x21], 0x07);
    EXPECT_EQ(flash[0x3A], 0x05);
}

TEST_F(FlashTest, ValuesWaitForTheRestartToBeConfirmed)
{
    RunResult r = runOnServo({"flash", writeFile("staged.txt", kStagedFile)});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("the restart was not confirmed"), std::string::npos) << r.err;
    EXPECT_EQ(packets(2), (std::vector<std::string>{"BF 02 00 00 68 07 11", "BF 61 09 01"}));
}

TEST_F(FlashTest, ClearSendsTheWindowsLinesAndAsksForTheRestart)
{
    RunResult r = runOnServo({"clear", "--yes"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "Settings cleared\n");
    EXPECT_EQ(packets(2), (std::vector<std::string>{"BF 02 00 00 68 07 11", "BF 61 09 01"}));

    RunResult ja = runOnServo({"clear"}, RunOptions().withInput("\n").withEnv("LANG", "ja_JP.UTF-8"));
    EXPECT_EQ(ja.status, 0);
    EXPECT_EQ(ja.err, "消去完了: ORVELINを再起動してEnterを押してください\n");
    RunResult overridden = runOnServo({"clear"}, RunOptions().withInput("\n").withEnv("LANG", "ja_JP.UTF-8").withEnv("LC_ALL", "C"));
    EXPECT_EQ(overridden.err, "Settings cleared: Restart the ORVELIN and press Enter.\n");

    ASSERT_TRUE(servo->control("silent 1"));
    RunResult silent = runOnServo({"clear", "--yes"});
    EXPECT_EQ(silent.status, 8);
    EXPECT_NE(silent.err.find("no answer from the ORVELIN"), std::string::npos) << silent.err;
}

}  // namespace
