// orvelin watch --svg and --plot as people run them: the SVG of a run that
// ends by --count, by Ctrl-C or by the port going away; the refusals that
// come before anything is sent; and the live chart in a tmux session of
// this test's own.
#include "tests/cli/chart_checks.h"
#include "tests/cli/cli_fixture.h"
#include "link/serial.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <future>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using WatchChartTest = CliTest;

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Waits until ready() holds or the deadline passes; says which.
template <typename Ready>
bool waitFor(Ready ready, std::chrono::seconds deadline = 20s)
{
    for (auto until = Clock::now() + deadline; Clock::now() < until; std::this_thread::sleep_for(50ms))
        if (ready())
            return true;
    return ready();
}

TEST_F(WatchChartTest, SvgOfARunThatEndsByCount)
{
    ASSERT_EQ(runOnServo({"term", "b 3f 3f 100 1"}).status, 0);
    std::string svg = writeFile("motion.svg", "the previous chart");
    RunResult r = runOnServo({"watch", "M_POS", "M_SPD", "--svg", svg, "--count", "6", "--interval", "30"});
    ASSERT_EQ(r.status, 0) << r.err;
    // The lines still come; the file is replaced whole.
    EXPECT_EQ(linesOf(r.out).size(), 6u) << r.out;
    EXPECT_NE(r.err.find("chart of 6 samples written to " + svg), std::string::npos) << r.err;
    std::vector<std::string> summary = svgSummary(svg);
    ASSERT_EQ(summary.size(), 3u);
    EXPECT_TRUE(summary[0].starts_with("True orvelin watch  " + port() + "  ID 3F  every 30 ms"))
        << summary[0];
    EXPECT_EQ(summary[1], "M_POS 6");
    EXPECT_EQ(summary[2], "M_SPD 6");
}

TEST_F(WatchChartTest, RefusedBeforeAnythingIsSent)
{
    const std::string missing = pathOf("no-such-folder/chart.svg");
    RunResult noFolder = runOnServo({"watch", "M_POS", "--svg", missing, "--count", "1"});
    EXPECT_EQ(noFolder.status, 2);
    EXPECT_NE(noFolder.err.find("there is no folder " + pathOf("no-such-folder")), std::string::npos) << noFolder.err;
    EXPECT_EQ(runOnServo({"watch", "M_POS", "--svg", folder, "--count", "1"}).status, 2);

    RunResult piped = runOnServo({"watch", "M_POS", "--plot", "--count", "1"});
    EXPECT_EQ(piped.status, 2);
    EXPECT_NE(piped.err.find("standard output is not one"), std::string::npos) << piped.err;
    EXPECT_EQ(piped.out, "");
    EXPECT_EQ(runOnServo({"watch", "M_POS", "--plot", "--csv"}, RunOptions().onTerminal()).status, 2);
    EXPECT_TRUE(packets().empty());
}

TEST_F(WatchChartTest, SvgKeepsTheRunWhenCtrlCOrALostPortEndsIt)
{
    // orvelin watch with no --count, its stdout in a file, until one or the other ends it.
    for (const std::string how : {"interrupt", "vanish"}) {
        std::string svg = pathOf(how + ".svg");
        std::string out = pathOf(how + ".out");
        std::vector<std::string> args{ORVELIN_PROGRAM, "watch",  "M_POS", "--svg", svg, "--interval", "20",
                                      "--port",        port()};
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        std::string config = "ORVELIN_CONFIG=" + configFile;
        std::vector<char*> envp{config.data(), const_cast<char*>("LANG=C"), nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        pid_t pid = -1;
        ASSERT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()), 0);
        posix_spawn_file_actions_destroy(&actions);

        bool sampled = waitFor([&] { return linesOf(readAll(out)).size() >= 3; });
        if (how == "interrupt")
            ::kill(pid, SIGINT);
        else
            servo->control("vanish");
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(sampled) << how;
        ASSERT_TRUE(WIFEXITED(status)) << how;
        // Ctrl-C ends a watch normally. A port that went away ends it as the
        // link's fatal case (1) or, when it went during a sample, as a sample
        // that got nothing (8) or only part of its bytes (9).
        if (how == "interrupt")
            EXPECT_EQ(WEXITSTATUS(status), 0);
        else
            EXPECT_TRUE(WEXITSTATUS(status) == 1 || WEXITSTATUS(status) == 8 || WEXITSTATUS(status) == 9)
                << WEXITSTATUS(status);
        std::vector<std::string> summary = svgSummary(svg);
        ASSERT_EQ(summary.size(), 2u) << how;
        // One point per line: only whole samples are shown, and charted.
        EXPECT_EQ(summary[1], "M_POS " + std::to_string(linesOf(readAll(out)).size())) << how << "\n" << readAll(out);
        ASSERT_TRUE(servo->start());
    }
}

TEST_F(WatchChartTest, ASampleWaitsForAPortAnotherProgramHoldsAMoment)
{
    serial_handle held = serial_open(port().c_str(), 115200, 10);
    ASSERT_NE(held, SERIAL_INVALID);
    auto release = std::async(std::launch::async, [held] {
        std::this_thread::sleep_for(200ms);
        serial_close(held);
    });
    RunResult r = runOnServo({"watch", "M_POS", "--count", "3", "--interval", "20"});
    release.wait();
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(linesOf(r.out).size(), 3u) << r.out;
}

// A tmux server of this test's own, on a socket in the test's own folder.
class Tmux {
public:
    explicit Tmux(std::string socket) : socket_(std::move(socket)) {}
    ~Tmux()
    {
        run("kill-server");
        std::filesystem::remove(socket_);
    }

    std::string run(const std::string& arguments) const
    {
        std::string command = std::string(ORVELIN_TMUX) + " -u -f /dev/null -S '" + socket_ + "' " + arguments + " 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        std::string output;
        if (pipe == nullptr)
            return output;
        char buffer[4096];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            output.append(buffer, got);
        pclose(pipe);
        return output;
    }
    std::string screen() const { return run("capture-pane -p -t plot"); }

private:
    std::string socket_;
};

TEST_F(WatchChartTest, LiveChartInTmuxHasOneSeriesPerRegisterAndFollowsAResize)
{
    if (std::string(ORVELIN_TMUX).empty())
        GTEST_SKIP() << "tmux is not installed";
    ASSERT_EQ(runOnServo({"term", "b 3f 3f 100 1"}).status, 0);
    Tmux tmux(pathOf("tmux.socket"));
    std::string command = "env LANG=C.UTF-8 ORVELIN_CONFIG='" + configFile + "' '" ORVELIN_PROGRAM
                        + "' watch M_POS M_SPD --plot --count 60 --interval 50 --port '" + port()
                        + "'; printf 'exit=%s' \\$?; sleep 60";
    tmux.run("new-session -d -s plot -x 100 -y 30 \"" + command + "\"");

    // The first frames, then a smaller window: the chart is drawn anew for it.
    ASSERT_TRUE(waitFor([&] { return tmux.screen().find("M_SPD 0x") != std::string::npos; })) << tmux.screen();
    tmux.run("resize-window -t plot -x 72 -y 20");
    ASSERT_TRUE(waitFor([&] { return tmux.screen().find("exit=") != std::string::npos; })) << tmux.screen();

    std::string screen = tmux.screen();
    EXPECT_NE(screen.find("exit=0"), std::string::npos) << screen;
    std::vector<std::string> lines = linesOf(screen);
    int positions = 0;
    int speeds = 0;
    int dots = 0;
    std::string axis;
    for (const std::string& line : lines) {
        positions += line.find("M_POS 0x") != std::string::npos;
        speeds += line.find("M_SPD 0x008C") != std::string::npos;
        dots += brailleCount(line);
        if (line.find("+-----") != std::string::npos)
            axis = line;
    }
    EXPECT_EQ(positions, 1) << screen;
    EXPECT_EQ(speeds, 1) << screen;
    EXPECT_GT(dots, 60) << screen;
    EXPECT_EQ(axis.size(), 71u) << screen;
}

}  // namespace
