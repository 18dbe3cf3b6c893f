// The orvelin-virtual-servo program as another process runs it.
#include "tests/servo/host_line.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// The program with these arguments, its standard output on a pipe.
class ServoProcess {
public:
    explicit ServoProcess(std::vector<std::string> args)
    {
        args.insert(args.begin(), SERVO_PROGRAM);
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        int out[2];
        if (::pipe(out) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        output_ = ::fdopen(out[0], "r");
    }
    ~ServoProcess()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (output_ != nullptr)
            std::fclose(output_);
    }

    std::string firstLine()
    {
        char line[256] = {};
        if (output_ == nullptr || std::fgets(line, sizeof line, output_) == nullptr)
            return {};
        std::string text = line;
        if (!text.empty() && text.back() == '\n')
            text.pop_back();
        return text;
    }
    // Exit status after this signal (0 when none is sent), or -1.
    int finish(int signal)
    {
        if (signal != 0)
            ::kill(pid_, signal);
        int status = 0;
        ::waitpid(std::exchange(pid_, -1), &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
    FILE* output_ = nullptr;
};

TEST(ServoProgram, ServesOnItsLinkUntilTerminated)
{
    TempFolder folder;
    const std::filesystem::path link = folder.file("servo-link");
    ServoProcess servo({"--link", link.string(), "--ids", "1,3F", "--set", "20=68,07"});
    std::string device = servo.firstLine();
    ASSERT_EQ(device.rfind("/dev/", 0), 0u) << device;
    EXPECT_EQ(std::filesystem::read_symlink(link).string(), device);

    {
        HostLine host(link.string());
        Bytes reply = host.exchange(readBlockPacket(0x01, 0x20), 16);
        ASSERT_EQ(reply.size(), 16u);
        EXPECT_EQ(reply[0], 0x68);
        EXPECT_EQ(reply[1], 0x07);
        EXPECT_EQ(host.exchange(readBlockPacket(0x3F, 0x00), 16).at(0x08), 0x3F);
    }

    EXPECT_EQ(servo.finish(SIGTERM), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

TEST(ServoProgram, SharedIdsAndRefusedFlashWrites)
{
    ServoProcess servo({"--ids", "1,1,2", "--refuse", "1"});
    HostLine host(servo.firstLine());
    ASSERT_TRUE(host.isOpen());

    // Each exchange reads exactly its bytes: a surplus would spoil the next.
    EXPECT_EQ(host.exchange(readBlockPacket(0x01, 0x00), 32).size(), 32u);
    EXPECT_EQ(host.exchange(flashPacket(0x02, 0x32, {0x11}), 1), Bytes{0x40});
    EXPECT_EQ(host.exchange(flashPacket(0x01, 0x32, {0x11}), 2), (Bytes{0x00, 0x00}));
}

TEST(ServoProgram, VersionIsTheProjects)
{
    ServoProcess servo({"--version"});
    EXPECT_EQ(servo.firstLine(), "orvelin-virtual-servo " ORVELIN_PROJECT_VERSION);
    EXPECT_EQ(servo.finish(0), 0);
}

TEST(ServoProgram, UsageErrorsExitWithTwo)
{
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--short"}, {"--ids", "1,40"}, {"--set", "60=1"}, {"--delay", "soon"}, {"--latency", "-5"},
             {"--refuse", "-2"}, {"--frobnicate"}}) {
        ServoProcess servo(args);
        EXPECT_EQ(servo.firstLine(), "");
        EXPECT_EQ(servo.finish(0), 2) << args.front();
    }
}

TEST(ServoProgram, RatesEchoAndUpdatesOfARealBus)
{
    ServoProcess servo({"--ids", "1@57600,2", "--echo", "--update-resets", "--pace", "line"});
    HostLine host(servo.firstLine());
    ASSERT_TRUE(host.isOpen());
    ASSERT_TRUE(host.setRate(115200));

    Bytes write = ramWritePacket(0x01, 0x32, {0x11});
    EXPECT_EQ(host.exchange(write, write.size() + 1), write);
    ASSERT_TRUE(host.setRate(57600));
    Bytes echoed = write;
    echoed.push_back(0x11);
    EXPECT_EQ(host.exchange(write, echoed.size() + 1), echoed);

    // An upload chunk and a restart: servo 2 comes back at 3F.
    Bytes chunk = flashPacket(0x02, 0x1000, {0x05});
    EXPECT_EQ(host.exchange(chunk, chunk.size() + 1).size(), chunk.size() + 1);
    Bytes restart = ramWritePacket(0x02, 0x09, {0x01});
    EXPECT_EQ(host.exchange(restart, restart.size() + 1).size(), restart.size() + 1);
    EXPECT_EQ(host.exchange(readBlockPacket(0x3F, 0x00), 19 + 16).at(19 + 0x08), 0x3F);
}

TEST(ServoProgram, RatesAndPacingThatMakeNoSenseAreUsageErrors)
{
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--ids", "1@0"}, {"--ids", "1@fast"}, {"--id", "3F@"}, {"--pace", "lines"}, {"--echo", "1"}}) {
        ServoProcess servo(args);
        EXPECT_EQ(servo.firstLine(), "");
        EXPECT_EQ(servo.finish(0), 2) << args.back();
    }
}

}  // namespace
