// orvelin-virtual-servo: a servo on a pseudo-terminal for the demo and for
// tests in other processes. Prints the terminal's path on its first line,
// then answers until SIGINT, SIGTERM or SIGHUP.
#include "orvelin_version.h"
#include "tools/servo_options.h"
#include "tools/virtual_servo.h"

#include <csignal>
#include <cstdio>
#include <string>

namespace {

constexpr int kUsageError = 2;
constexpr int kFailure = 1;

int usageError(const std::string& message)
{
    std::fprintf(stderr, "orvelin-virtual-servo: %s\nTry 'orvelin-virtual-servo --help'.\n", message.c_str());
    return kUsageError;
}

int failure(const std::string& message)
{
    std::fprintf(stderr, "orvelin-virtual-servo: %s\n", message.c_str());
    return kFailure;
}

}  // namespace

int main(int argc, char** argv)
{
    auto parsed = parseServoOptions({argv + 1, static_cast<std::size_t>(argc > 0 ? argc - 1 : 0)});
    if (const auto* error = std::get_if<std::string>(&parsed))
        return usageError(*error);
    const ServoOptions& options = std::get<ServoOptions>(parsed);
    if (options.help) {
        std::fwrite(kServoUsage.data(), 1, kServoUsage.size(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("orvelin-virtual-servo %s\n", kOrvelinVersion);
        return 0;
    }

    VirtualServo servo(options.servos);
    for (const ServoOptions::Control& control : options.controls)
        if (!servo.control(control.line))
            return usageError("cannot use " + control.option);
    if (!options.controlPath.empty())
        servo.watchControlFile(options.controlPath);
    if (!options.logPath.empty())
        servo.logPacketsTo(options.logPath);

    // Blocked before the servo's thread exists, so only sigwait sees them.
    sigset_t endSignals;
    sigemptyset(&endSignals);
    for (int sig : {SIGINT, SIGTERM, SIGHUP})
        sigaddset(&endSignals, sig);
    pthread_sigmask(SIG_BLOCK, &endSignals, nullptr);

    if (!servo.start())
        return failure("cannot open a pseudo-terminal");
    if (!options.linkPath.empty())
        if (std::string error = servo.linkTo(options.linkPath); !error.empty())
            return failure(error);

    std::printf("%s\n", servo.devicePath().c_str());
    std::fflush(stdout);
    int received = 0;
    sigwait(&endSignals, &received);
    return 0;
}
