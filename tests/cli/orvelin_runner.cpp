#include "tests/cli/orvelin_runner.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

constexpr int kTimeoutMs = 60000;

std::vector<std::string> childEnvironment(const RunOptions& options)
{
    std::vector<std::string> env;
    auto overridden = [&](const std::string& entry) {
        for (const char* name : {"LANG=", "LC_ALL=", "LC_MESSAGES=", "ORVELIN_CONFIG="})
            if (entry.starts_with(name))
                return true;
        for (const auto& [name, value] : options.env)
            if (entry.starts_with(name + "="))
                return true;
        return false;
    };
    for (char** e = environ; *e != nullptr; ++e)
        if (!overridden(*e))
            env.emplace_back(*e);
    bool langGiven = false;
    for (const auto& [name, value] : options.env) {
        env.push_back(name + "=" + value);
        langGiven = langGiven || name == "LANG";
    }
    if (!langGiven)
        env.emplace_back("LANG=C");
    return env;
}

std::vector<char*> pointers(std::vector<std::string>& texts)
{
    std::vector<char*> result;
    for (std::string& text : texts)
        result.push_back(text.data());
    result.push_back(nullptr);
    return result;
}

// Reads every fd until end of file (EIO on a pty whose child has gone) while
// feeding input to inputFd. False when the time-out ended it.
bool pump(std::vector<std::pair<int, std::string*>> outputs, int inputFd, std::string input, bool closeInput)
{
    std::size_t written = 0;
    bool inputOpen = inputFd >= 0;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kTimeoutMs);
    while (!outputs.empty() && std::chrono::steady_clock::now() < deadline) {
        std::vector<pollfd> fds;
        for (auto& [fd, sink] : outputs)
            fds.push_back({fd, POLLIN, 0});
        bool feeding = inputOpen && written < input.size();
        if (feeding)
            fds.push_back({inputFd, POLLOUT, 0});
        if (poll(fds.data(), fds.size(), 100) < 0 && errno != EINTR)
            break;
        if (feeding && (fds.back().revents & POLLOUT)) {
            ssize_t w = write(inputFd, input.data() + written, input.size() - written);
            if (w > 0)
                written += static_cast<std::size_t>(w);
            else if (w < 0 && errno != EINTR && errno != EAGAIN)
                written = input.size();
            if (written == input.size() && closeInput) {
                close(inputFd);
                inputOpen = false;
            }
        }
        for (std::size_t i = outputs.size(); i-- > 0;) {
            if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            char buffer[4096];
            ssize_t r = read(outputs[i].first, buffer, sizeof buffer);
            if (r > 0) {
                outputs[i].second->append(buffer, static_cast<std::size_t>(r));
            } else if (r == 0 || errno != EINTR) {
                close(outputs[i].first);
                outputs.erase(outputs.begin() + static_cast<std::ptrdiff_t>(i));
            }
        }
    }
    bool finished = outputs.empty();
    for (auto& [fd, sink] : outputs)
        close(fd);
    if (inputOpen && closeInput)
        close(inputFd);
    return finished;
}

// The servo at the far end is hardware that no scheduler delays. On a loaded
// machine the program under test gives way to the virtual servo's thread:
// its waits allow it to be late, but not the servo.
void yieldToTheServo()
{
    setpriority(PRIO_PROCESS, 0, 10);
}

// The program's argument and environment vectors, kept alive for execve.
struct ChildImage {
    std::vector<std::string> argvTexts;
    std::vector<std::string> envTexts;
    std::vector<char*> argv;
    std::vector<char*> envp;

    ChildImage(const std::vector<std::string>& args, const RunOptions& options)
        : argvTexts{ORVELIN_PROGRAM}, envTexts(childEnvironment(options))
    {
        argvTexts.insert(argvTexts.end(), args.begin(), args.end());
        argv = pointers(argvTexts);
        envp = pointers(envTexts);
    }

    // Starts the program with the given descriptors as its stdin, stdout and
    // stderr; the child closes everything else at exec.
    pid_t start(int in, int out, int err) const
    {
        pid_t pid = fork();
        if (pid == 0) {
            dup2(in, 0);
            dup2(out, 1);
            dup2(err, 2);
            yieldToTheServo();
            execve(argv[0], argv.data(), envp.data());
            _exit(127);
        }
        return pid;
    }
};

// Waits for the program, killing it first when its output was not read to
// the end in time; a program that did not exit on its own gets no status.
void reap(pid_t pid, bool finished, RunResult& result)
{
    int status = 0;
    if (!finished)
        kill(pid, SIGKILL);
    if (waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        result.status = WEXITSTATUS(status);
}

}  // namespace

RunResult runOrvelin(const std::vector<std::string>& args, const RunOptions& options)
{
    const ChildImage image(args, options);

    RunResult result;
    pid_t pid = -1;
    bool finished = false;
    if (options.terminal) {
        int master = -1;
        int slave = -1;
        termios tio{};
        cfmakeraw(&tio);
        tio.c_oflag |= OPOST | ONLCR;
        winsize size{24, 100, 0, 0};
        if (openpty(&master, &slave, nullptr, &tio, &size) != 0)
            return result;
        pid = fork();
        if (pid == 0) {
            setsid();
            ioctl(slave, TIOCSCTTY, 0);
            dup2(slave, 0);
            dup2(slave, 1);
            dup2(slave, 2);
            close(master);
            close(slave);
            yieldToTheServo();
            execve(image.argv[0], image.argv.data(), image.envp.data());
            _exit(127);
        }
        close(slave);
        finished = pump({{master, &result.out}}, master, options.input, false);
    } else {
        int in[2], out[2], err[2];
        if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0)
            return result;
        pid = image.start(in[0], out[1], err[1]);
        close(in[0]);
        close(out[1]);
        close(err[1]);
        // A closed pipe must not end the test when the program stops reading.
        signal(SIGPIPE, SIG_IGN);
        if (options.input.empty())
            close(in[1]);
        finished = pump({{out[0], &result.out}, {err[0], &result.err}}, options.input.empty() ? -1 : in[1],
                        options.input, true);
    }
    reap(pid, finished, result);
    return result;
}

RunResult runOrvelinWhile(const std::vector<std::string>& args, const std::function<void(int pid)>& during,
                          const RunOptions& options)
{
    const ChildImage image(args, options);
    RunResult result;
    int out[2], err[2];
    if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0)
        return result;
    const int devNull = open("/dev/null", O_RDONLY | O_CLOEXEC);
    pid_t pid = image.start(devNull, out[1], err[1]);
    close(devNull);
    close(out[1]);
    close(err[1]);
    bool finished = false;
    std::thread reader([&] { finished = pump({{out[0], &result.out}, {err[0], &result.err}}, -1, {}, false); });
    during(static_cast<int>(pid));
    reader.join();
    reap(pid, finished, result);
    return result;
}
