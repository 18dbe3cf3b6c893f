#include "link/protocol.h"

#include <cstring>

namespace {

int sendReadPacket(serial_handle h, int id, int blockAddress)
{
    unsigned char packet[kReadPacketBytes] = {};
    packet[0] = static_cast<unsigned char>(kHeaderBit | id);
    packet[1] = kReadBlockKind;
    packet[2] = static_cast<unsigned char>(blockAddress);
    return serial_write(h, packet, sizeof packet);
}

BlockReply finishBlock(serial_handle h, int written, int received, QuietCheck quiet)
{
    BlockReply reply;
    reply.written = written;
    reply.received = received;
    if (quiet == QuietCheck::After)
        reply.followed = drainLine(h, kDrainMax);
    reply.status = judgeBlock(reply.received, reply.followed);
    return reply;
}

}  // namespace

BlockReply readBlockExchange(serial_handle h, int id, int blockAddress, unsigned char* out, QuietCheck quiet)
{
    std::memset(out, 0, kBlockBytes);
    int written = sendReadPacket(h, id, blockAddress);
    return finishBlock(h, written, serial_read(h, out, kBlockBytes), quiet);
}

namespace {

constexpr int kProbeBytes = 4;

}  // namespace

BlockReply probeBlockExchange(serial_handle h, int id, unsigned char* out)
{
    std::memset(out, 0, kBlockBytes);
    int written = sendReadPacket(h, id, 0x00);
    int got = serial_read(h, out, kProbeBytes);
    if (got == 0)
        return finishBlock(h, written, 0, QuietCheck::Skip);
    got += serial_read(h, out + got, kBlockBytes - got);
    return finishBlock(h, written, got, QuietCheck::After);
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
    EchoReply reply;
    reply.received = serial_read(h, packet, size);
    reply.echo = decodeGroups(packet, reply.received);
    reply.status = judgeEcho(packet, reply.received, size, value);
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
    AckReply reply;
    reply.received = serial_read(h, packet, 1);
    reply.ack = packet[0];
    reply.status = judgeAck(reply.received, reply.ack);
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
    PositionReply reply;
    reply.received = serial_read(h, packet, kPositionReplyBytes);
    reply.status = reply.received == kPositionReplyBytes ? ReplyStatus::Whole
                   : reply.received == 0                 ? ReplyStatus::None
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
    for (int k = 1; k <= kAckReads; ++k) {
        reply.received = serial_read(h, &reply.ack, 1);
        if (reply.received == 1)
            break;
        if (emptyRead)
            emptyRead(k);
    }
    reply.status = judgeAck(reply.received, reply.ack);
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

int bytesWaiting(serial_handle h)
{
    return serial_pending(h);
}
