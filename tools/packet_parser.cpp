#include "packet_parser.h"

#include <utility>

namespace {

constexpr uint8_t kHeaderBit = 0x80;
constexpr uint8_t kPositionHeader = 0xC0;
constexpr uint8_t kReadBlock = 0x30;
constexpr uint8_t kRamWrite = 0x60;
constexpr uint8_t kFixedHeader = 0xBF;
constexpr uint8_t kFixedSecond = 0x41;
constexpr std::size_t kPositionLength = 5;
constexpr std::size_t kEnIndex = 3;  // the one payload byte sent unmasked
constexpr int kMaxChunk = 16;

}  // namespace

PacketShape packetShape(uint8_t header, uint8_t second)
{
    if ((header & kPositionHeader) == kPositionHeader)
        return {PacketKind::Position, kPositionLength};
    if (second == kReadBlock)
        return {PacketKind::ReadBlock, 3 + 16};
    if (second == (kRamWrite | 1) || second == (kRamWrite | 2) || second == (kRamWrite | 4))
        return {PacketKind::RamWrite, 3 + static_cast<std::size_t>(second & 0x0F)};
    if (header == kFixedHeader && second == kFixedSecond)
        return {PacketKind::Fixed, 4};
    if (second >= 1 && second <= kMaxChunk)
        return {PacketKind::FlashWrite, 5 + static_cast<std::size_t>(second)};
    return {PacketKind::Unknown, 0};
}

bool PacketParser::startsPacket(uint8_t byte) const
{
    bool enByte = pending_.size() == kEnIndex && (pending_[0] & kPositionHeader) == kPositionHeader;
    return (byte & kHeaderBit) != 0 && !enByte;
}

std::optional<std::vector<uint8_t>> PacketParser::feed(uint8_t byte)
{
    if (startsPacket(byte)) {
        pending_.assign(1, byte);
        return std::nullopt;
    }
    if (pending_.empty())
        return std::nullopt;
    pending_.push_back(byte);
    PacketShape shape = packetShape(pending_[0], pending_[1]);
    if (shape.kind == PacketKind::Unknown) {
        pending_.clear();
        return std::nullopt;
    }
    if (pending_.size() < shape.length)
        return std::nullopt;
    return std::exchange(pending_, {});
}
