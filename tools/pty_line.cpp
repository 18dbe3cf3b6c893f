#include "tools/pty_line.h"

#include "tools/line_rate.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <utility>

namespace {

// A host that stopped reading fills the line; bytes that still find no
// room after this long are lost, as on a wire.
constexpr int kFullLineWaitMs = 100;

bool addFlags(int fd, int getCommand, int setCommand, int flags)
{
    int current = fcntl(fd, getCommand);
    return current >= 0 && fcntl(fd, setCommand, current | flags) == 0;
}

bool makeRaw(int fd)
{
    termios tio{};
    if (tcgetattr(fd, &tio) != 0)
        return false;
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    return tcsetattr(fd, TCSANOW, &tio) == 0;
}

}  // namespace

bool PtyLine::open()
{
    close();
    UniqueFd master(posix_openpt(O_RDWR | O_NOCTTY));
    std::array<char, 128> name{};
    // Child processes of a test must not inherit the line and keep it alive.
    if (!master || grantpt(master.get()) != 0 || unlockpt(master.get()) != 0
        || !addFlags(master.get(), F_GETFD, F_SETFD, FD_CLOEXEC)
        || !addFlags(master.get(), F_GETFL, F_SETFL, O_NONBLOCK)
        || ptsname_r(master.get(), name.data(), name.size()) != 0)
        return false;
    UniqueFd slave(::open(name.data(), O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (!slave || !makeRaw(slave.get()))
        return false;
    master_ = std::move(master);
    slave_ = std::move(slave);
    slavePath_ = name.data();
    return true;
}

void PtyLine::close()
{
    slave_.reset();
    master_.reset();
}

std::size_t PtyLine::receive(std::span<uint8_t> buffer)
{
    ssize_t got = ::read(master_.get(), buffer.data(), buffer.size());
    return got > 0 ? static_cast<std::size_t>(got) : 0;
}

int PtyLine::rate() const
{
    return lineRate(master_.get());
}

std::chrono::nanoseconds PtyLine::send(std::span<const uint8_t> bytes, std::span<const ReplyBurst> bursts)
{
    std::chrono::nanoseconds worst{0};
    // Deadlines from one start, so that late wake-ups do not add up.
    for (const ReplyBurst& burst : bursts) {
        std::size_t count = std::min(burst.bytes, bytes.size());
        std::this_thread::sleep_until(burst.at);
        writeAll(bytes.first(count));
        worst = std::max(worst, std::chrono::steady_clock::now() - burst.at);
        bytes = bytes.subspan(count);
    }
    return worst;
}

void PtyLine::writeAll(std::span<const uint8_t> bytes)
{
    while (!bytes.empty()) {
        ssize_t done = ::write(master_.get(), bytes.data(), bytes.size());
        if (done > 0) {
            bytes = bytes.subspan(static_cast<std::size_t>(done));
            continue;
        }
        if (done < 0 && errno == EINTR)
            continue;
        pollfd room{master_.get(), POLLOUT, 0};
        if (done < 0 && errno == EAGAIN && ::poll(&room, 1, kFullLineWaitMs) > 0)
            continue;
        return;
    }
}

std::chrono::nanoseconds byteTime(int baud)
{
    if (baud <= 0)
        return std::chrono::nanoseconds::zero();
    return std::chrono::nanoseconds(10LL * 1000000000LL / baud);
}

void PtyLine::discardUnread()
{
    if (slave_)
        tcflush(slave_.get(), TCIFLUSH);
}
