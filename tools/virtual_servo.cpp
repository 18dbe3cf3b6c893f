#include "tools/virtual_servo.h"

#include "tools/control_file.h"
#include "tools/control_language.h"
#include "tools/packet_parser.h"
#include "tools/pty_line.h"

#ifdef __linux__
#include <sys/prctl.h>
#endif
#include "tools/device_link.h"
#include "tools/servo_bus.h"
#include "tools/unique_fd.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <mutex>
#include <optional>
#include <poll.h>
#include <pthread.h>
#include <sched.h>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

bool closeOnExec(int fd)
{
    int flags = fcntl(fd, F_GETFD);
    return flags >= 0 && fcntl(fd, F_SETFD, flags | FD_CLOEXEC) == 0;
}

std::vector<BusServo> hearingEveryRate(const std::vector<int>& ids)
{
    std::vector<BusServo> servos;
    for (int id : ids)
        servos.push_back({id});
    return servos;
}

// The rate bytes take their wire time at: with "pace line", the host's own.
int pacedBaud(const VirtualServoFaults& faults, int lineBaud)
{
    return faults.paceLine ? lineBaud : faults.paceBaud;
}

}  // namespace

struct VirtualServo::Impl {
    explicit Impl(std::span<const BusServo> servos) : bus(servos) {}

    bool start();
    void stop();
    void run(const std::stop_token& stop);
    // One byte from the line, sent at lineBaud; false once the servo has vanished.
    bool take(uint8_t byte, Clock::time_point readAt, int lineBaud);
    void applyControlFile();
    void record(const std::vector<uint8_t>& packet);
    void reply(const std::vector<uint8_t>& packet, int lineBaud);
    // Passes what is on its way to the host on through the adapter.
    void sendQueued();

    mutable std::mutex mutex;  // guards the bus, the records, the control file and the log
    ServoBus bus;
    std::vector<std::vector<uint8_t>> packets;
    std::vector<uint8_t> received;
    std::chrono::nanoseconds worstLag{0};
    std::optional<ControlFile> controlFile;
    std::ofstream log;

    // Owned by the servo's thread while it runs.
    PtyLine line;
    DeviceLink link;
    std::string linkPath;  // made again to each new terminal
    PacketParser parser;
    Clock::time_point wireFree;  // when the last byte received has fully arrived
    int packetBaud = 0;          // the rate of every byte of the packet so far; 0: no one rate
    // Echo and reply bytes on their way to the host, and when each reaches
    // the adapter, whose latency timer holds them all alike.
    std::vector<uint8_t> outgoing;
    std::vector<Clock::time_point> outgoingAt;

    std::string path;
    UniqueFd wakeRead;
    UniqueFd wakeWrite;
    std::jthread thread;
};

bool VirtualServo::Impl::start()
{
    stop();
    std::array<int, 2> wake{};
    if (::pipe(wake.data()) != 0)
        return false;
    wakeRead = UniqueFd(wake[0]);
    wakeWrite = UniqueFd(wake[1]);
    if (!closeOnExec(wakeRead.get()) || !closeOnExec(wakeWrite.get()) || !line.open())
        return false;
    path = line.slavePath();
    parser = {};
    packetBaud = 0;
    outgoing.clear();
    outgoingAt.clear();
    if (!linkPath.empty() && !link.create(linkPath, path).empty())
        return false;
    {
        // A new line: a servo that vanished from the last one is back.
        std::lock_guard lock(mutex);
        bus.faults.vanish = false;
    }
    thread = std::jthread([this](std::stop_token stop) { run(stop); });
    return true;
}

void VirtualServo::Impl::stop()
{
    if (thread.joinable()) {
        thread.request_stop();
        // Closing the pipe's far end wakes the thread's poll.
        wakeWrite.reset();
        thread.join();
    }
    link.remove();
    line.close();
    wakeRead.reset();
    wakeWrite.reset();
}

void VirtualServo::Impl::run(const std::stop_token& stop)
{
#ifdef __linux__
    // Pacing sleeps to the wire's microseconds; the default 50 us timer
    // slack would add to every reply.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
#endif
    // A servo answers within microseconds whatever the host is doing; on a
    // loaded machine an ordinary thread can miss the host's 10 ms time-outs.
    // Where the system allows it, the answering thread runs first. It sleeps
    // in poll() and between paced bytes, so it takes nothing from the rest.
    sched_param realtime{};
    realtime.sched_priority = sched_get_priority_min(SCHED_FIFO);
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &realtime);
    std::array<pollfd, 2> watched{{{line.masterFd(), POLLIN, 0}, {wakeRead.get(), POLLIN, 0}}};
    std::array<uint8_t, 256> buffer{};
    while (!stop.stop_requested()) {
        if (::poll(watched.data(), watched.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (watched[1].revents != 0)
            return;
        if ((watched[0].revents & POLLIN) == 0) {
            if ((watched[0].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0)
                return;
            continue;
        }
        auto readAt = Clock::now();
        std::size_t got = line.receive(buffer);
        // The host sets the rate between its writes: one look per burst.
        int lineBaud = got > 0 ? line.rate() : 0;
        for (std::size_t k = 0; k < got; ++k) {
            if (!take(buffer[k], readAt, lineBaud)) {
                link.remove();
                line.close();
                return;
            }
        }
        // An echo that no reply went out behind.
        sendQueued();
    }
}

bool VirtualServo::Impl::take(uint8_t byte, Clock::time_point readAt, int lineBaud)
{
    bool starts = parser.startsPacket(byte);
    if (starts) {
        packetBaud = lineBaud;
        applyControlFile();
    } else if (lineBaud != packetBaud) {
        // A packet whose bytes came at two rates is noise at either.
        packetBaud = 0;
    }
    std::chrono::nanoseconds perByte;
    bool echo = false;
    {
        std::lock_guard lock(mutex);
        received.push_back(byte);
        if (starts && bus.faults.vanishAfter > 0 && --bus.faults.vanishAfter == 0)
            bus.faults.vanish = true;
        if (starts && bus.faults.vanish)
            return false;
        perByte = byteTime(pacedBaud(bus.faults, lineBaud));
        echo = bus.faults.echo;
    }
    wireFree = std::max(wireFree, readAt) + perByte;
    // The adapter returns each byte it sends once the byte has crossed the
    // wire, whether a servo hears it or not.
    if (echo) {
        outgoing.push_back(byte);
        outgoingAt.push_back(wireFree);
    }
    std::optional<std::vector<uint8_t>> packet = parser.feed(byte);
    if (!packet)
        return true;
    record(*packet);
    reply(*packet, lineBaud);
    return true;
}

void VirtualServo::Impl::applyControlFile()
{
    std::lock_guard lock(mutex);
    if (!controlFile)
        return;
    for (const std::string& text : controlFile->newLines()) {
        applyControl(bus, text);
        if (isReset(text))
            line.discardUnread();
    }
}

void VirtualServo::Impl::record(const std::vector<uint8_t>& packet)
{
    std::lock_guard lock(mutex);
    packets.push_back(packet);
    if (log.is_open())
        log << hexBytes(packet) << '\n' << std::flush;
}

void VirtualServo::Impl::reply(const std::vector<uint8_t>& packet, int lineBaud)
{
    std::optional<std::vector<uint8_t>> answer;
    VirtualServoFaults faults;
    {
        std::lock_guard lock(mutex);
        answer = bus.answer(packet, packetBaud);
        faults = bus.faults;
    }
    if (!answer)
        return;
    // The reply starts once the packet's last byte would have arrived (its
    // echo is then ahead of it), and after the delay asked for.
    auto start = std::max(wireFree, Clock::now()) + std::chrono::milliseconds(faults.replyDelayMs);
    std::ranges::copy(*answer, std::back_inserter(outgoing));
    std::ranges::copy(offWire(answer->size(), byteTime(pacedBaud(faults, lineBaud)), start),
                      std::back_inserter(outgoingAt));
    sendQueued();
}

void VirtualServo::Impl::sendQueued()
{
    if (outgoing.empty())
        return;
    std::chrono::milliseconds latency;
    {
        std::lock_guard lock(mutex);
        latency = std::chrono::milliseconds(bus.faults.latencyMs);
    }
    // One sleep per burst, none before.
    const std::chrono::nanoseconds lag = line.send(outgoing, adapterBursts(outgoingAt, latency));
    {
        std::lock_guard lock(mutex);
        worstLag = std::max(worstLag, lag);
    }
    outgoing.clear();
    outgoingAt.clear();
}

VirtualServo::VirtualServo() : VirtualServo(std::vector<int>{kFactoryId}) {}

VirtualServo::VirtualServo(std::vector<int> ids) : VirtualServo(hearingEveryRate(ids)) {}

VirtualServo::VirtualServo(std::span<const BusServo> servos) : impl(std::make_unique<Impl>(servos)) {}

VirtualServo::~VirtualServo()
{
    stop();
}

bool VirtualServo::start()
{
    return impl->start();
}

void VirtualServo::stop()
{
    impl->stop();
}

const std::string& VirtualServo::devicePath() const
{
    return impl->path;
}

std::string VirtualServo::linkTo(const std::string& path)
{
    std::string error = impl->link.create(path, impl->path);
    if (error.empty())
        impl->linkPath = path;
    return error;
}

void VirtualServo::setFaults(const VirtualServoFaults& faults)
{
    {
        std::lock_guard lock(impl->mutex);
        impl->bus.faults = faults;
    }
    if (faults.vanish)
        stop();
}

VirtualServoFaults VirtualServo::faults() const
{
    std::lock_guard lock(impl->mutex);
    return impl->bus.faults;
}

bool VirtualServo::control(const std::string& line)
{
    bool understood = false;
    bool vanish = false;
    {
        std::lock_guard lock(impl->mutex);
        understood = applyControl(impl->bus, line);
        vanish = impl->bus.faults.vanish;
        if (isReset(line))
            impl->line.discardUnread();
    }
    if (vanish)
        stop();
    return understood;
}

void VirtualServo::watchControlFile(const std::string& path)
{
    std::lock_guard lock(impl->mutex);
    impl->controlFile.emplace(path);
}

void VirtualServo::logPacketsTo(const std::string& path)
{
    std::lock_guard lock(impl->mutex);
    impl->log = std::ofstream(path, std::ios::app);
}

void VirtualServo::setMemory(int id, int address, const std::vector<uint8_t>& bytes)
{
    std::lock_guard lock(impl->mutex);
    impl->bus.preset(id, address, bytes);
}

std::vector<uint8_t> VirtualServo::memory(int id) const
{
    std::lock_guard lock(impl->mutex);
    ServoUnit* servo = impl->bus.unit(id);
    if (servo == nullptr)
        return {};
    const RegisterMemory& ram = servo->ram();
    return {ram.begin(), ram.end()};
}

std::vector<uint8_t> VirtualServo::flashMemory(int id) const
{
    std::lock_guard lock(impl->mutex);
    ServoUnit* servo = impl->bus.unit(id);
    if (servo == nullptr)
        return {};
    return {servo->flash().begin(), servo->flash().end()};
}

std::vector<uint8_t> VirtualServo::uploadImage(int id) const
{
    std::lock_guard lock(impl->mutex);
    ServoUnit* servo = impl->bus.unit(id);
    return servo == nullptr ? std::vector<uint8_t>{} : servo->image();
}

std::vector<std::vector<uint8_t>> VirtualServo::packets() const
{
    std::lock_guard lock(impl->mutex);
    return impl->packets;
}

void VirtualServo::clearPackets()
{
    std::lock_guard lock(impl->mutex);
    impl->packets.clear();
}

std::chrono::microseconds VirtualServo::worstLag() const
{
    std::lock_guard lock(impl->mutex);
    return std::chrono::duration_cast<std::chrono::microseconds>(impl->worstLag);
}

void VirtualServo::clearLag()
{
    std::lock_guard lock(impl->mutex);
    impl->worstLag = std::chrono::nanoseconds::zero();
}

std::vector<uint8_t> VirtualServo::received() const
{
    std::lock_guard lock(impl->mutex);
    return impl->received;
}

std::string hexBytes(const std::vector<uint8_t>& bytes)
{
    std::string text;
    for (uint8_t byte : bytes) {
        std::array<char, 4> hex{};
        std::snprintf(hex.data(), hex.size(), text.empty() ? "%02X" : " %02X", byte);
        text += hex.data();
    }
    return text;
}
