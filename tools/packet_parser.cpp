#include "tools/packet_parser.h"

#include "link/wire_format.h"
#include "tools/servo_registers.h"

#include <algorithm>
#include <utility>

namespace {

// Header, kind and address come before a read block's filler bytes and
// before a RAM write's value groups alike.
constexpr std::size_t kAddressedHead = kReadPacketBytes - kBlockBytes;
// Header, byte count and two address groups before the bytes, the checksum
// after them: what the largest packet, a whole upload chunk, adds to it.
constexpr std::size_t kCountedFrame = kPacketMax - kChunkBytes;
constexpr std::size_t kEnIndex = kPositionEnIndex;
constexpr std::size_t kPositionLength = kPositionPacketBytes;

bool isRamWrite(uint8_t second)
{
    return std::ranges::any_of(kRegisterSizes, [second](int size) { return second == (kRamWriteKind | size); });
}

}  // namespace

PacketShape packetShape(uint8_t header, uint8_t second)
{
    if ((header & kPositionHeader) == kPositionHeader)
        return {PacketKind::Position, kPositionLength};
    if (second == kReadBlockKind)
        return {PacketKind::ReadBlock, kReadPacketBytes};
    if (isRamWrite(second))
        return {PacketKind::RamWrite, kAddressedHead + static_cast<std::size_t>(second & ~kRamWriteKind)};
    if (header == kFixedPacket[0] && second == kFixedPacket[1])
        return {PacketKind::Fixed, kFixedPacket.size()};
    if (second >= 1 && second <= kChunkBytes)
        return {PacketKind::FlashWrite, kCountedFrame + second};
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
