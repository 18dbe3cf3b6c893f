// Nothing lost to a clear: clear and flash back up each servo before they
// clear it, refuse to clear one they cannot read whole, take a list's
// backups before any clear, and orvelin backups lists them newest first.
#include "tests/cli/cli_fixture.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

class BackupTest : public CliTest {
protected:
    // Each test's backups stay in its own folder.
    RunOptions withState() { return RunOptions().withEnv("XDG_STATE_HOME", pathOf("state")); }
    std::string backups() const { return pathOf("state/orvelin/backups"); }

    // The paths orvelin backups lists, in its order.
    std::vector<std::string> listed()
    {
        std::vector<std::string> paths;
        for (const std::string& line : linesOf(run({"backups"}, withState()).out))
            paths.push_back(line.substr(line.rfind(' ') + 1));
        return paths;
    }
};

std::string contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool onlyReads(const std::vector<std::string>& packets)
{
    return std::ranges::all_of(packets, [](const std::string& p) { return p.substr(3, 2) == "30"; });
}

TEST_F(BackupTest, ClearSavesWhatSaveWouldAndFlashWritesItBack)
{
    servo->setMemory(0x3F, 0x32, {0x11});  // FB_PG
    ASSERT_EQ(runOnServo({"save", pathOf("saved.txt")}).status, 0);
    RunResult clear = runOnServo({"clear", "--yes"}, withState());
    ASSERT_EQ(clear.status, 0) << clear.err;
    ASSERT_EQ(listed().size(), 1u);
    std::string backup = listed()[0];
    EXPECT_EQ(std::filesystem::path(backup).parent_path(), backups());
    EXPECT_NE(clear.err.find("to restore it: orvelin flash " + backup + " --id 3F\n"), std::string::npos) << clear.err;
    EXPECT_EQ(contents(backup), contents(pathOf("saved.txt")));
    EXPECT_NE(servo->memory(0x3F)[0x32], 0x11);

    RunResult restored = runOnServo({"flash", backup, "--id", "3F", "--yes"}, withState());
    EXPECT_EQ(restored.status, 0) << restored.err;
    EXPECT_EQ(servo->flashMemory(0x3F)[0x32], 0x11);
    EXPECT_EQ(servo->memory(0x3F)[0x32], 0x11);

    RunResult ja = runOnServo({"clear", "--yes"}, withState().withEnv("LANG", "ja_JP.UTF-8"));
    EXPECT_NE(ja.err.find("元に戻すには: orvelin flash "), std::string::npos) << ja.err;
}

TEST_F(BackupTest, AServoThatCannotBeReadWholeIsNotClearedUnlessNoBackup)
{
    struct Case {
        const char* fault;
        int status;
    };
    for (const Case& c : {Case{"silent 1", 8}, Case{"short 10", 9}, Case{"stray 3", 9}}) {
        ASSERT_TRUE(servo->control("reset"));
        ASSERT_TRUE(servo->control(c.fault));
        for (const char* command : {"clear", "flash"}) {
            servo->clearPackets();
            std::vector<std::string> args{command, "--yes"};
            if (command == std::string("flash"))
                args.insert(args.begin() + 1, writeFile("v.txt", "18 0x03E8\n"));
            RunResult r = runOnServo(args, withState());
            EXPECT_EQ(r.status, c.status) << c.fault << " " << command << "\n" << r.err;
            EXPECT_NE(r.err.find("nothing was cleared"), std::string::npos) << r.err;
            EXPECT_TRUE(onlyReads(packets())) << c.fault << " " << command;
        }
    }
    servo->clearPackets();
    RunResult unchecked = runOnServo({"clear", "--yes", "--no-backup"}, withState());
    EXPECT_EQ(unchecked.status, 0) << unchecked.err;
    EXPECT_EQ(packets(2), (std::vector<std::string>{"BF 02 00 00 68 07 11", "BF 61 09 01"}));
    EXPECT_TRUE(listed().empty());

    // A folder that cannot be made stops the clear too.
    servo->clearPackets();
    RunResult blocked = runOnServo({"clear", "--yes"}, RunOptions().withEnv("XDG_STATE_HOME", writeFile("f", "")));
    EXPECT_EQ(blocked.status, 2);
    EXPECT_NE(blocked.err.find("cannot create the backup folder"), std::string::npos) << blocked.err;
    EXPECT_TRUE(packets().empty());
}

class ListBackupTest : public BackupTest {
protected:
    std::vector<int> servoIds() const override { return {0x01, 0x02, 0x05}; }
};

TEST_F(ListBackupTest, EveryServoIsBackedUpBeforeAnyIsCleared)
{
    RunResult r = runOnServo({"clear", "--id", "1,2,5", "--yes"}, withState());
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> sent = packets(18 + 6);
    ASSERT_EQ(sent.size(), 24u);
    EXPECT_TRUE(onlyReads({sent.begin(), sent.begin() + 18}));
    const std::string kHeaders[] = {"81", "82", "85"};
    for (std::size_t k = 0; k < 18; ++k)
        EXPECT_EQ(sent[k].substr(0, 2), kHeaders[k / 6]) << k;
    EXPECT_EQ(sent[18], "81 02 00 00 68 07 11");
    EXPECT_EQ(listed().size(), 3u);

    // ID 3 has no servo: none is cleared, or with --keep-going all but it.
    servo->clearPackets();
    RunResult missing = runOnServo({"clear", "--id", "1,3,5", "--yes"}, withState());
    EXPECT_EQ(missing.status, 8);
    EXPECT_TRUE(onlyReads(packets()));
    servo->clearPackets();
    RunResult going = runOnServo({"clear", "--id", "1,3,5", "--yes", "--keep-going"}, withState());
    EXPECT_EQ(going.status, 8);
    EXPECT_NE(going.err.find("ID 03 is left out"), std::string::npos) << going.err;
    std::vector<std::string> writes = packets();
    std::erase_if(writes, [](const std::string& p) { return p.substr(3, 2) == "30"; });
    EXPECT_EQ(writes,
              (std::vector<std::string>{"81 02 00 00 68 07 11", "81 61 09 01", "85 02 00 00 68 07 11", "85 61 09 01"}));
}

TEST_F(BackupTest, BackupsListsNewestFirst)
{
    RunResult none = run({"backups"}, withState());
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(none.err, "orvelin: no backups in " + backups() + "\n");

    std::filesystem::create_directories(backups());
    for (const char* name : {"id05-20261209-143005.txt", "id01-20261210-090000.txt", "id01-20261209-143005.txt",
                             "id01-20261209-143005-2.txt", "notes.txt"})
        std::ofstream(backups() + "/" + name) << "18 0x03E8\n";
    RunResult r = run({"backups"}, withState());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(linesOf(r.out), (std::vector<std::string>{
                                  "ID 01  2026-12-10 09:00:00  " + backups() + "/id01-20261210-090000.txt",
                                  "ID 01  2026-12-09 14:30:05  " + backups() + "/id01-20261209-143005-2.txt",
                                  "ID 01  2026-12-09 14:30:05  " + backups() + "/id01-20261209-143005.txt",
                                  "ID 05  2026-12-09 14:30:05  " + backups() + "/id05-20261209-143005.txt",
                              }));
}

}  // namespace
