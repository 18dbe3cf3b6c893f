// Every command that takes a file, given what is not an update or FLASH value
// file: a folder, a FIFO, a device, an empty, unreadable or huge file. Each
// is refused with its reason before anything is sent; nothing hangs or throws.
#include "tests/cli/cli_fixture.h"

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class OddFileTest : public CliTest {
protected:
    // The odd paths, each with the words its refusal must hold.
    std::vector<std::pair<std::string, std::string>> oddPaths()
    {
        std::string fifo = pathOf("pipe");
        EXPECT_EQ(mkfifo(fifo.c_str(), 0600), 0);
        std::string huge = pathOf("huge");
        std::ofstream(huge).close();
        std::filesystem::resize_file(huge, std::uintmax_t{1} << 30);
        std::vector<std::pair<std::string, std::string>> paths{
            {folder, "not a plain file"},
            {fifo, "not a plain file"},
            {"/dev/null", "not a plain file"},
            {huge, "bytes"},
            {pathOf("missing"), "cannot open"},
        };
        // Root reads every file, so only others can be shown an unreadable one.
        if (geteuid() != 0) {
            std::string locked = writeFile("locked", "18 0x03E8\n");
            chmod(locked.c_str(), 0);
            paths.emplace_back(locked, "Permission denied");
        }
        return paths;
    }
};

TEST_F(OddFileTest, FlashUpdateAndTheUploadLineRefuseThemBeforeSendingAnything)
{
    for (const auto& [path, says] : oddPaths()) {
        RunResult flash = runOnServo({"flash", path, "--yes"});
        EXPECT_EQ(flash.status, 2) << path << "\n" << flash.err;
        EXPECT_NE(flash.err.find(says), std::string::npos) << flash.err;

        RunResult update = runOnServo({"update", path});
        EXPECT_TRUE(update.status == 3 || update.status == 4) << path << ": " << update.status << "\n" << update.err;
        EXPECT_NE(update.err.find(says), std::string::npos) << update.err;

        RunResult line = runOnServo({"term", "u " + path});
        EXPECT_EQ(line.status, 3) << path << "\n" << line.err;
    }
    RunResult empty = runOnServo({"update", writeFile("empty.upd", "")});
    EXPECT_EQ(empty.status, 4);
    EXPECT_NE(empty.err.find("is empty: it holds no firmware"), std::string::npos) << empty.err;
    EXPECT_TRUE(packets().empty());
}

}  // namespace
