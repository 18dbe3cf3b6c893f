// The typed exchanges of the protocol layer on any reply bytes and any
// read time-outs. Input: exchanges one after another, each
//   op id addrLo addrHi size v0 v1 v2 v3 [chunk bytes] L reply[L] C limit[C % 8]
// op % 8 picks the exchange, size % 3 the register size 1, 2 or 4; the chunk
// bytes ((size % 16) + 1 of them) come for an upload only; the limits cap the
// exchange's reads in turn, which is how a read times out part way.
#include "fuzz/loopback_serial.h"
#include "link/protocol.h"

#include <algorithm>
#include <vector>

namespace {

void check(bool ok)
{
    if (!ok)
        __builtin_trap();
}

struct Input {
    const uint8_t* at;
    const uint8_t* end;
    uint8_t byte() { return at < end ? *at++ : 0; }
    // Up to n bytes, fewer where the input ends; n becomes how many.
    const uint8_t* take(std::size_t& n)
    {
        n = std::min<std::size_t>(n, end - at);
        at += n;
        return at - n;
    }
};

// What the link wrote, seen through the wire monitor.
std::vector<unsigned char> sent;
int writes = 0;

void onWire(WireDirection direction, const unsigned char* data, int n)
{
    if (direction != WireDirection::Sent)
        return;
    sent.assign(data, data + n);
    ++writes;
}

// The exchange wrote one packet, the expected bytes; a summed packet ends in
// the checksum that makes bytes 2.. add up to a multiple of 128.
void checkSent(const unsigned char* expected, int n, bool summed = false)
{
    check(writes == 1 && static_cast<int>(sent.size()) == n);
    check(std::equal(sent.begin(), sent.end() - summed, expected));
    int sum = 0;
    for (std::size_t k = 2; k < sent.size(); ++k)
        sum += sent[k];
    check(!summed || sum % 128 == 0);
}

// What came past the whole copies of requests ahead of the reply: the
// request's echo, and the fixed packet's that an earlier command may leave
// on the line. took becomes the count of the rest; echoed, whether the
// request's own copy was among them.
const uint8_t* pastCopies(const uint8_t* came, int& took, bool& echoed)
{
    echoed = false;
    for (;;) {
        auto whole = [&](const unsigned char* copy, std::size_t length) {
            return took >= static_cast<int>(length) && std::equal(copy, copy + length, came);
        };
        std::size_t length = 0;
        if (whole(sent.data(), sent.size())) {
            length = sent.size();
            echoed = true;
        } else if (whole(kFixedPacket.data(), kFixedPacket.size())) {
            length = kFixedPacket.size();
        }
        if (length == 0)
            return came;
        came += length;
        took -= static_cast<int>(length);
    }
}

// An answer judged whole (or refused) is exactly the bytes past the copies,
// and one judged absent had nothing past them; anything else came as it came.
const uint8_t* checkCopies(ReplyStatus status, bool echoed, const uint8_t* came, int& took)
{
    bool skippedEcho = false;
    const uint8_t* reply = pastCopies(came, took, skippedEcho);
    if (status == ReplyStatus::Whole || status == ReplyStatus::Refused || status == ReplyStatus::None)
        check(echoed == skippedEcho);
    if (status == ReplyStatus::None)
        check(took == 0);
    return reply;
}

// A block reply: what came is in out, zero after it, and the status fits.
void checkBlock(const BlockReply& r, const unsigned char* out, const uint8_t* came, int took)
{
    check(r.written == kReadPacketBytes);
    check(r.received >= 0 && r.received <= kBlockBytes && r.followed >= 0);
    check(std::all_of(out + r.received, out + kBlockBytes, [](auto b) { return b == 0; }));
    check(r.status == judgeBlock(r.received, r.followed));
    came = checkCopies(r.status, r.echoed, came, took);
    if (r.status == ReplyStatus::Whole)
        check(took == kBlockBytes && std::equal(out, out + kBlockBytes, came));
}

// An acknowledge: one byte, bit 6 refuses.
void checkAck(const AckReply& r, const uint8_t* came, int took)
{
    check(r.received <= 1);
    came = checkCopies(r.status, r.echoed, came, took);
    if (r.status == ReplyStatus::Whole || r.status == ReplyStatus::Refused)
        check(took == 1 && r.ack == came[0] && r.status == judgeAck(1, came[0]));
}

void exchange(serial_handle h, Input& in)
{
    const int op = in.byte() % 8;
    const int rawId = in.byte();
    const int id = rawId & kHighestId;
    int address = in.byte();
    address = (address | in.byte() << 8) & 0x3FFF;
    const int sizeByte = in.byte();
    const int size = 1 << (sizeByte % 3);
    uint32_t value = 0;
    for (int k = 0; k < 4; ++k)
        value |= static_cast<uint32_t>(in.byte()) << (8 * k);
    unsigned char chunk[kChunkBytes];
    const int chunkBytes = sizeByte % kChunkBytes + 1;
    for (int k = 0; op == 6 && k < chunkBytes; ++k)
        chunk[k] = in.byte() & kGroupMask;
    std::size_t replySize = in.byte();
    const uint8_t* came = in.take(replySize);
    std::size_t limitCount = in.byte() % 8;
    const uint8_t* limits = in.take(limitCount);
    loopback_set_replies(came, replySize);
    loopback_set_read_limits(limits, limitCount);
    writes = 0;

    unsigned char expected[kPacketMax] = {}, packet[kPacketMax] = {}, out[kBlockBytes];
    const int low7 = address & kGroupMask;
    auto took = [&] { return static_cast<int>(replySize - loopback_replies_left()); };
    expected[0] = static_cast<unsigned char>(kHeaderBit | id);
    if (op <= 2) {
        BlockReply r = op == 2 ? probeBlockExchange(h, id, out)
                               : readBlockExchange(h, id, low7, out, op == 0 ? QuietCheck::Skip : QuietCheck::After);
        expected[1] = kReadBlockKind;
        expected[2] = static_cast<unsigned char>(op == 2 ? 0 : low7);
        checkSent(expected, kReadPacketBytes);
        check(op != 0 || r.followed == 0);
        checkBlock(r, out, came, took());
    } else if (op == 3) {
        EchoReply r = ramWriteExchange(h, id, low7, size, value, packet);
        expected[1] = static_cast<unsigned char>(kRamWriteKind | size);
        expected[2] = static_cast<unsigned char>(low7);
        for (int k = 0; k < size; ++k)
            expected[3 + k] = static_cast<unsigned char>((value >> (7 * k)) & 0x7F);
        checkSent(expected, size + 3);
        check(r.received <= size);
        int replyBytes = took();
        const uint8_t* reply = checkCopies(r.status, r.echoed, came, replyBytes);
        // The echo is read over the packet: its own bytes stay where nothing came.
        check(std::equal(packet + r.received, packet + size, expected + r.received));
        check(r.echo == decodeGroups(packet, r.received));
        if (r.status == ReplyStatus::Whole)
            check(replyBytes == size && std::equal(reply, reply + size, expected + 3));
        check((r.status == ReplyStatus::Short) == (r.received > 0 && r.received < size && r.status != ReplyStatus::Followed));
    } else if (op == 4) {
        AckReply r = flashWriteExchange(h, id, address, size, value, packet);
        expected[1] = static_cast<unsigned char>(size);
        expected[2] = static_cast<unsigned char>(low7);
        expected[3] = static_cast<unsigned char>(address >> 7);
        encodeGroups(value, size, expected + 4);
        checkSent(expected, size + 5, true);
        checkAck(r, came, took());
        check(packet[0] == (r.received == 0 ? expected[0] : r.ack));
    } else if (op == 5) {
        const int pos = static_cast<int>(value & 0x3FFF);
        const int en = static_cast<int>((value >> 16) & 0xFF);
        PositionReply r = positionWriteExchange(h, rawId, pos, en, packet);
        const unsigned char header[] = {static_cast<unsigned char>(kPositionHeader | rawId),
                                        static_cast<unsigned char>(pos & 0x7F), static_cast<unsigned char>(pos >> 7),
                                        static_cast<unsigned char>(en), 0x00};
        checkSent(header, 5);
        check(r.received <= kPositionReplyBytes);
        int replyBytes = took();
        const uint8_t* reply = checkCopies(r.status, r.echoed, came, replyBytes);
        if (r.status == ReplyStatus::Whole)
            check(replyBytes == kPositionReplyBytes && std::equal(packet, packet + kPositionReplyBytes, reply));
    } else if (op == 6) {
        const int chunkAddress = kFirstChunkAddress + (address % (kUploadMaxBytes / kChunkBytes)) * kChunkBytes;
        const int length = buildUploadChunk(packet, id, chunkAddress, chunk, chunkBytes);
        check(length == chunkBytes + 5 && packet[0] == expected[0] && packet[1] == chunkBytes);
        check(packet[2] == (chunkAddress & 0x7F) && packet[3] == (chunkAddress >> 7));
        check(std::equal(chunk, chunk + chunkBytes, packet + 4));
        int empty = 0;
        AckReply r = uploadChunkExchange(h, packet, length, [&](int k) { check(k == ++empty); });
        checkSent(packet, length, true);
        checkAck(r, came, took());
        // It asks again after every read that got nothing, kAckReads times at most.
        check(r.received == 0 ? empty == kAckReads : empty < kAckReads);
    } else {
        const int max = address % (2 * kDrainMax);
        std::vector<unsigned char> seen;
        const int count = drainLine(h, max, [&](unsigned char b) { seen.push_back(b); });
        check(writes == 0 && count <= max && count == took());
        check(seen.size() == static_cast<std::size_t>(count) && std::equal(seen.begin(), seen.end(), came));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static const serial_handle h = (set_wire_observer(onWire), serial_open("loopback", 115200, kPortTimeoutMs));
    Input in{data, data + size};
    while (in.at < in.end)
        exchange(h, in);
    return 0;
}
