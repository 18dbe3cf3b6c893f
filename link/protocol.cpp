#include "link/protocol.h"

#include <algorithm>
#include <cstring>

namespace {

// Whether the bytes that came begin as copy does, as far as they go.
bool beginsAs(const unsigned char* bytes, int have, const unsigned char* copy, int length)
{
    return std::memcmp(bytes, copy, static_cast<std::size_t>(std::min(have, length))) == 0;
}

}  // namespace

ReplyRead readReply(serial_handle h, const unsigned char* request, int length, unsigned char* out, int n)
{
    // out may be the request's own buffer, and must look afterwards as it did
    // before wherever no reply byte came.
    unsigned char sent[kPacketMax];
    std::memcpy(sent, request, static_cast<std::size_t>(length));
    ReplyRead read;
    unsigned char came[kPacketMax + kBlockBytes];
    int have = serial_read(h, came, n);
    // A reply byte never has bit 7 set: a header ahead of the reply starts a
    // copy of a request, this one's echo, or the echo of a fixed packet (which
    // nothing answers) that an earlier command left on the line. A whole copy
    // is skipped; anything else stays what came, as on a plain adapter.
    const int fixedLength = static_cast<int>(kFixedPacket.size());
    while (have > 0 && (came[0] & kHeaderBit) != 0) {
        // With ID 3F the two share their header; the next byte tells them apart.
        if (have < 2 && beginsAs(came, have, sent, length) && beginsAs(came, have, kFixedPacket.data(), fixedLength))
            have += serial_read(h, came + have, 1);
        const bool echo = beginsAs(came, have, sent, length);
        const unsigned char* copy = echo ? sent : kFixedPacket.data();
        const int copyLength = echo ? length : fixedLength;
        if (!echo && !beginsAs(came, have, copy, copyLength))
            break;
        if (have < copyLength)
            have += serial_read(h, came + have, copyLength - have);
        if (have < copyLength || !beginsAs(came, have, copy, copyLength))
            break;
        read.echoed = read.echoed || echo;
        have -= copyLength;
        std::memmove(came, came + copyLength, static_cast<std::size_t>(have));
        if (have < n)
            have += serial_read(h, came + have, n - have);
    }
    read.received = std::min(have, n);
    read.surplus = have - read.received;
    std::memcpy(out, came, static_cast<std::size_t>(read.received));
    return read;
}

void buildReadPacket(unsigned char* packet, int id, int blockAddress)
{
    std::memset(packet, 0, kReadPacketBytes);
    packet[0] = static_cast<unsigned char>(kHeaderBit | id);
    packet[1] = kReadBlockKind;
    packet[2] = static_cast<unsigned char>(blockAddress);
}

namespace {

BlockReply finishBlock(serial_handle h, int written, const ReplyRead& read, QuietCheck quiet)
{
    BlockReply reply;
    reply.written = written;
    reply.received = read.received;
    reply.echoed = read.echoed;
    reply.followed = read.surplus;
    if (quiet == QuietCheck::After)
        reply.followed += drainLine(h, kDrainMax);
    reply.status = judgeBlock(reply.received, reply.followed);
    return reply;
}

constexpr int kProbeBytes = 4;

}  // namespace

BlockReply readBlockExchange(serial_handle h, int id, int blockAddress, unsigned char* out, QuietCheck quiet)
{
    std::memset(out, 0, kBlockBytes);
    unsigned char packet[kReadPacketBytes];
    buildReadPacket(packet, id, blockAddress);
    int written = serial_write(h, packet, kReadPacketBytes);
    return finishBlock(h, written, readReply(h, packet, kReadPacketBytes, out, kBlockBytes), quiet);
}

BlockReply probeBlockExchange(serial_handle h, int id, unsigned char* out, QuietCheck quiet)
{
    std::memset(out, 0, kBlockBytes);
    unsigned char packet[kReadPacketBytes];
    buildReadPacket(packet, id, 0x00);
    int written = serial_write(h, packet, kReadPacketBytes);
    ReplyRead read = readReply(h, packet, kReadPacketBytes, out, kProbeBytes);
    if (read.received == 0)
        return finishBlock(h, written, read, QuietCheck::Skip);
    read.received += serial_read(h, out + read.received, kBlockBytes - read.received);
    return finishBlock(h, written, read, quiet);
}

int awaitLateReply(serial_handle h)
{
    unsigned char late[kProbeBytes];
    int got = serial_read(h, late, kProbeBytes);
    return got == 0 ? 0 : got + drainLine(h, kDrainMax);
}

EchoReply ramWriteExchange(serial_handle h, int id, int address, int size, uint32_t value, unsigned char* packet)
{
    packet[0] = static_cast<unsigned char>(kHeaderBit | id);
    packet[1] = static_cast<unsigned char>(kRamWriteKind | size);
    packet[2] = static_cast<unsigned char>(address);
    encodeGroups(value, size, packet + 3);
    serial_write(h, packet, size + 3);
    ReplyRead read = readReply(h, packet, size + 3, packet, size);
    EchoReply reply;
    reply.received = read.received;
    reply.echoed = read.echoed;
    reply.echo = decodeGroups(packet, reply.received);
    reply.status = read.surplus > 0 ? ReplyStatus::Followed : judgeEcho(packet, reply.received, size, value);
    return reply;
}

AckReply flashWriteExchange(serial_handle h, int id, int address, int size, uint32_t value, unsigned char* packet)
{
    packet[0] = static_cast<unsigned char>(kHeaderBit | id);
    packet[1] = static_cast<unsigned char>(size);
    packet[2] = static_cast<unsigned char>(address & kGroupMask);
    packet[3] = static_cast<unsigned char>((address >> kGroupBits) & kGroupMask);
    encodeGroups(value, size, packet + 4);
    packet[size + 4] = checksum7(packet + 2, size + 2);
    serial_write(h, packet, size + 5);
    ReplyRead read = readReply(h, packet, size + 5, packet, 1);
    AckReply reply;
    reply.received = read.received;
    reply.echoed = read.echoed;
    reply.ack = packet[0];
    reply.status = read.surplus > 0 ? ReplyStatus::Followed : judgeAck(reply.received, reply.ack);
    return reply;
}

PositionReply positionWriteExchange(serial_handle h, int k, int pos, int en, unsigned char* packet)
{
    packet[0] = static_cast<unsigned char>(kPositionHeader | k);
    packet[1] = static_cast<unsigned char>(pos & kGroupMask);
    packet[2] = static_cast<unsigned char>((pos >> kGroupBits) & kGroupMask);
    packet[kPositionEnIndex] = static_cast<unsigned char>(en);  // sent as it is, bit 7 and all
    packet[kPositionPacketBytes - 1] = 0x00;
    serial_write(h, packet, kPositionPacketBytes);
    ReplyRead read = readReply(h, packet, kPositionPacketBytes, packet, kPositionReplyBytes);
    PositionReply reply;
    reply.received = read.received;
    reply.echoed = read.echoed;
    reply.status = read.surplus > 0                        ? ReplyStatus::Followed
                   : reply.received == kPositionReplyBytes ? ReplyStatus::Whole
                   : reply.received == 0                   ? ReplyStatus::None
                                                           : ReplyStatus::Short;
    return reply;
}

void sendFixedPacket(serial_handle h, unsigned char* packet)
{
    std::memcpy(packet, kFixedPacket.data(), kFixedPacket.size());
    serial_write(h, packet, static_cast<int>(kFixedPacket.size()));
}

int buildUploadChunk(unsigned char* packet, int id, int chunkAddress, const unsigned char* bytes, int n)
{
    packet[0] = static_cast<unsigned char>(kHeaderBit | id);
    packet[1] = static_cast<unsigned char>(n);
    packet[2] = static_cast<unsigned char>(chunkAddress & kGroupMask);
    packet[3] = static_cast<unsigned char>((chunkAddress >> kGroupBits) & kGroupMask);
    std::memcpy(packet + 4, bytes, static_cast<std::size_t>(n));
    packet[n + 4] = checksum7(packet + 2, n + 2);
    return n + 5;
}

AckReply uploadChunkExchange(serial_handle h, const unsigned char* packet, int length,
                             const std::function<void(int k)>& emptyRead)
{
    serial_write(h, packet, length);
    AckReply reply;
    ReplyRead read = readReply(h, packet, length, &reply.ack, 1);
    reply.echoed = read.echoed;
    reply.received = read.received;
    for (int k = 1; reply.received == 0 && k <= kAckReads; ++k) {
        if (emptyRead)
            emptyRead(k);
        if (k < kAckReads)
            reply.received = serial_read(h, &reply.ack, 1);
    }
    reply.status = read.surplus > 0 ? ReplyStatus::Followed : judgeAck(reply.received, reply.ack);
    return reply;
}

int drainLine(serial_handle h, int max, const std::function<void(unsigned char)>& each)
{
    int count = 0;
    unsigned char byte = 0;
    while (count < max && serial_read(h, &byte, 1) == 1) {
        ++count;
        if (each)
            each(byte);
    }
    return count;
}

int drainQuiet(serial_handle h, int quietUs, int max)
{
    int count = 0;
    unsigned char bytes[kDrainMax];
    while (count < max) {
        int got = serial_read_some(h, bytes, std::min(max - count, kDrainMax), quietUs);
        if (got == 0)
            break;
        count += got;
    }
    return count;
}

int bytesWaiting(serial_handle h)
{
    return serial_pending(h);
}
