// POSIX backend: termios for the line setting, poll() for the time-outs.
// termios' VTIME counts in 100 ms steps and cannot express the servo's
// 10 ms inter-byte and 10 + 10*N ms total time-outs, so reads wait with
// ppoll() against two deadlines of their own.
#include "link/serial.h"
#include "link/custom_baud.h"
#include "link/serial_error.h"
#include "link/low_latency.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

struct PosixPort {
    int fd;
    int timeoutMs;
    LowLatencyGrant lowLatency;
};

PosixPort* toPort(serial_handle h)
{
    return reinterpret_cast<PosixPort*>(h);
}

long long nowNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

bool configureLine(int fd, int baud)
{
    termios tio{};
    if (tcgetattr(fd, &tio) != 0)
        return false;
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS);
    tio.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (tcsetattr(fd, TCSANOW, &tio) != 0)
        return false;
    return set_custom_baud(fd, baud);
}

SerialFailure failureOf(int error)
{
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return SerialFailure::NoSuchDevice;
    case EACCES:
    case EPERM:
        return SerialFailure::PermissionDenied;
    case EBUSY:
    case EWOULDBLOCK:
        return SerialFailure::Busy;
    case ENOTTY:
    case EISDIR:
        return SerialFailure::NotSerialPort;
    default:
        return SerialFailure::Other;
    }
}

}  // namespace

serial_handle serial_open(const char* path, int baud, int timeout)
{
    // Windows-style names (COM3) have no meaning here; refuse rather than guess.
    if (path == nullptr || std::strchr(path, '/') == nullptr) {
        recordSerialError(SerialFailure::NotDevicePath);
        return SERIAL_INVALID;
    }
    if (baud <= 0) {
        recordSerialError(SerialFailure::SettingRefused, EINVAL);
        return SERIAL_INVALID;
    }
    // O_NONBLOCK only for the open itself, so a line without carrier cannot hold it.
    int fd = open(path, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        recordSerialError(failureOf(errno), errno);
        return SERIAL_INVALID;
    }
    bool exclusive = false;
    auto fail = [&](SerialFailure failure, int error) {
        if (exclusive)
            ioctl(fd, TIOCNXCL);
        close(fd);
        recordSerialError(failure, error);
        return SERIAL_INVALID;
    };
    if (!isatty(fd))
        return fail(SerialFailure::NotSerialPort, ENOTTY);
    // TIOCEXCL keeps other users out, but not root; the advisory lock, which
    // other serial programs also take, keeps out a second copy run as root.
    // The lock comes first, so a refused open never clears the holder's flag.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0 || ioctl(fd, TIOCEXCL) != 0)
        return fail(SerialFailure::Busy, errno);
    exclusive = true;
    if (!configureLine(fd, baud))
        return fail(SerialFailure::SettingRefused, errno);
    int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        return fail(failureOf(errno), errno);
    // A Windows COM port starts every open with empty buffers: what waited on
    // the line (a late reply to the last command, an interrupted upload's
    // acknowledge) would otherwise come first in this command's replies.
    tcflush(fd, TCIFLUSH);
    // Raise DTR and RTS as the Windows driver does on open; a pseudo-terminal
    // has no modem lines and refuses, which is harmless.
    int lines = TIOCM_DTR | TIOCM_RTS;
    ioctl(fd, TIOCMBIS, &lines);
    recordSerialError(SerialFailure::None);
    auto h = reinterpret_cast<serial_handle>(new PosixPort{fd, timeout, request_low_latency(fd)});
    open_notify(h);
    return h;
}

void serial_close(serial_handle h)
{
    if (h == 0 || h == SERIAL_INVALID)
        return;
    PosixPort* port = toPort(h);
    release_low_latency(port->fd, port->lowLatency);
    // A pseudo-terminal whose other side stays open keeps the exclusive flag;
    // left set, it would refuse the next command's open.
    ioctl(port->fd, TIOCNXCL);
    close(port->fd);
    delete port;
}

int serial_write(serial_handle h, const void* data, int n)
{
    if (h == 0 || h == SERIAL_INVALID || n <= 0)
        return 0;
    const PosixPort* port = toPort(h);
    const auto* p = static_cast<const unsigned char*>(data);
    int done = 0;
    while (done < n) {
        ssize_t w = write(port->fd, p + done, static_cast<size_t>(n - done));
        if (w > 0) {
            done += static_cast<int>(w);
        } else if (w < 0 && errno == EINTR) {
            continue;
        } else if (w < 0 && errno == EAGAIN) {
            pollfd pfd{port->fd, POLLOUT, 0};
            poll(&pfd, 1, -1);
        } else {
            break;
        }
    }
    wire_notify(WireDirection::Sent, data, done);
    return done;
}

int serial_read(serial_handle h, void* data, int n)
{
    if (h == 0 || h == SERIAL_INVALID || n <= 0)
        return 0;
    const PosixPort* port = toPort(h);
    auto* p = static_cast<unsigned char*>(data);
    const long long stepNs = static_cast<long long>(port->timeoutMs) * 1000000LL;
    const long long deadline = nowNs() + stepNs * (n + 1);
    long long lastByte = 0;
    int got = 0;
    while (got < n) {
        long long until = deadline;
        if (got > 0 && lastByte + stepNs < until)
            until = lastByte + stepNs;
        // Past the deadline, bytes that arrived while this process was not
        // running still count: a COM port's driver takes them in time
        // whatever the program is doing, and left unread they would stay on
        // the line in front of the next reply.
        const long long left = until - nowNs();
        const bool last = left <= 0;
        pollfd pfd{port->fd, POLLIN, 0};
        timespec ts{};
        if (!last)
            ts = {static_cast<time_t>(left / 1000000000LL), static_cast<long>(left % 1000000000LL)};
        int ready = ppoll(&pfd, 1, &ts, nullptr);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (ready == 0) {
            if (last)
                break;
            continue;
        }
        ssize_t r = read(port->fd, p + got, static_cast<size_t>(n - got));
        if (r > 0) {
            got += static_cast<int>(r);
            lastByte = nowNs();
        } else if (r < 0 && errno == EINTR) {
            continue;
        } else if (last || (pfd.revents & (POLLHUP | POLLERR | POLLNVAL))) {
            // The far end is gone: nothing more will come.
            break;
        }
    }
    wire_notify(WireDirection::Received, data, got);
    return got;
}

LowLatency serial_low_latency(serial_handle h)
{
    if (h == 0 || h == SERIAL_INVALID)
        return LowLatency::Unavailable;
    return toPort(h)->lowLatency.state;
}

int serial_read_some(serial_handle h, void* data, int n, int waitUs)
{
    if (h == 0 || h == SERIAL_INVALID || n <= 0)
        return 0;
    const PosixPort* port = toPort(h);
    const long long deadline = nowNs() + static_cast<long long>(waitUs) * 1000LL;
    int got = 0;
    for (;;) {
        const long long left = std::max(deadline - nowNs(), 0LL);
        pollfd pfd{port->fd, POLLIN, 0};
        timespec ts{static_cast<time_t>(left / 1000000000LL), static_cast<long>(left % 1000000000LL)};
        int ready = ppoll(&pfd, 1, &ts, nullptr);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        ssize_t r = read(port->fd, data, static_cast<size_t>(n));
        if (r < 0 && errno == EINTR)
            continue;
        // Nothing to read on a ready line: the far end is gone.
        got = r > 0 ? static_cast<int>(r) : 0;
        break;
    }
    wire_notify(WireDirection::Received, data, got);
    return got;
}

bool serial_set_baud(serial_handle h, int baud)
{
    if (h == 0 || h == SERIAL_INVALID || baud <= 0)
        return false;
    return set_custom_baud(toPort(h)->fd, baud);
}

int serial_pending(serial_handle h)
{
    if (h == 0 || h == SERIAL_INVALID)
        return 0;
    int waiting = 0;
    return ioctl(toPort(h)->fd, FIONREAD, &waiting) == 0 ? waiting : 0;
}
