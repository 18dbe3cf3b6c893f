#include "tests/servo/host_line.h"

#include "link/custom_baud.h"

#include <algorithm>
#include <fcntl.h>
#include <iterator>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

HostLine::HostLine(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC))
{
    termios tio{};
    if (fd_ >= 0 && tcgetattr(fd_, &tio) == 0) {
        cfmakeraw(&tio);
        tcsetattr(fd_, TCSANOW, &tio);
    }
}

HostLine::~HostLine()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool HostLine::setRate(int baud)
{
    return set_custom_baud(fd_, baud);
}

void HostLine::send(const Bytes& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            return;
        done += static_cast<std::size_t>(n);
    }
}

Bytes HostLine::receive(std::size_t count, std::chrono::milliseconds quiet)
{
    Bytes got;
    pollfd pfd{fd_, POLLIN, 0};
    while (got.size() < count && ::poll(&pfd, 1, static_cast<int>(quiet.count())) > 0) {
        uint8_t buffer[64];
        ssize_t n = ::read(fd_, buffer, std::min(sizeof buffer, count - got.size()));
        if (n <= 0)
            break;
        got.insert(got.end(), buffer, buffer + n);
    }
    return got;
}

Bytes HostLine::exchange(const Bytes& packet, std::size_t count)
{
    send(packet);
    return receive(count);
}

Bytes readBlockPacket(int id, int address)
{
    Bytes packet(19, 0x00);
    packet[0] = static_cast<uint8_t>(0x80 | id);
    packet[1] = 0x30;
    packet[2] = static_cast<uint8_t>(address);
    return packet;
}

Bytes ramWritePacket(int id, int address, const Bytes& groups)
{
    Bytes packet{static_cast<uint8_t>(0x80 | id), static_cast<uint8_t>(0x60 | groups.size()),
                 static_cast<uint8_t>(address)};
    std::ranges::copy(groups, std::back_inserter(packet));
    return packet;
}

Bytes flashPacket(int id, int address, const Bytes& data, bool spoil)
{
    Bytes packet{static_cast<uint8_t>(0x80 | id), static_cast<uint8_t>(data.size()),
                 static_cast<uint8_t>(address & 0x7F), static_cast<uint8_t>((address >> 7) & 0x7F)};
    std::ranges::copy(data, std::back_inserter(packet));
    int sum = 0;
    for (std::size_t k = 2; k < packet.size(); ++k)
        sum += packet[k];
    packet.push_back(static_cast<uint8_t>((-sum + (spoil ? 1 : 0)) & 0x7F));
    return packet;
}

Bytes positionPacket(int id, int position, uint8_t en)
{
    return {static_cast<uint8_t>(0xC0 | id), static_cast<uint8_t>(position & 0x7F),
            static_cast<uint8_t>((position >> 7) & 0x7F), en, 0x00};
}
