// Cuts the host's byte stream into packets. A byte with bit 7 set starts a
// new packet wherever it comes, so a packet cut short by noise or a restart
// of the host is dropped rather than glued to the next one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

enum class PacketKind {
    ReadBlock,    // 0x80|id 0x30 addr, 16 filler bytes
    RamWrite,     // 0x80|id 0x60|n addr, n value groups
    FlashWrite,   // 0x80|id n addrLo addrHi, n bytes, checksum (also upload chunks)
    Fixed,        // BF 41 4F 01
    Position,     // 0xC0|id posLo posHi en 00
    Unknown,
};

struct PacketShape {
    PacketKind kind;
    std::size_t length;
};

// What a packet is and how long, from its first two bytes.
PacketShape packetShape(uint8_t header, uint8_t second);

class PacketParser {
public:
    // Whether this byte would begin a new packet.
    bool startsPacket(uint8_t byte) const;
    // Takes one byte; returns the packet it completes.
    std::optional<std::vector<uint8_t>> feed(uint8_t byte);

private:
    std::vector<uint8_t> pending_;
};
