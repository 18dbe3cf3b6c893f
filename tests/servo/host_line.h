// The host's end of the line in these tests: the servo's terminal opened
// with plain POSIX calls, and the packets a host sends, built by hand.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

class HostLine {
public:
    explicit HostLine(const std::string& path);
    ~HostLine();
    HostLine(const HostLine&) = delete;
    HostLine& operator=(const HostLine&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    // Sets the line's baud rate on this descriptor, as the programmer does.
    bool setRate(int baud);
    void send(const Bytes& bytes);
    // Bytes until count have come or the line stays quiet for quiet.
    Bytes receive(std::size_t count, std::chrono::milliseconds quiet = std::chrono::milliseconds(300));
    Bytes exchange(const Bytes& packet, std::size_t count);

private:
    int fd_;
};

Bytes readBlockPacket(int id, int address);
Bytes ramWritePacket(int id, int address, const Bytes& groups);
// FLASH write and upload chunk alike; spoil makes the checksum wrong.
Bytes flashPacket(int id, int address, const Bytes& data, bool spoil = false);
Bytes positionPacket(int id, int position, uint8_t en);
