// The servo's wire format: packet kinds and sizes, the highest ID, the
// register memory's blocks, the upload's chunks, the acknowledge bits, the
// 7-bit groups and the checksum; and how a reply is judged from what came.
#pragma once

#include <array>
#include <cstdint>

// Packets: a header byte with bit 7 set, then bytes of 7 bits each.
inline constexpr unsigned char kHeaderBit = 0x80;
inline constexpr unsigned char kGroupMask = 0x7F;
inline constexpr int kGroupBits = 7;
inline constexpr int kHighestId = 0x3F;

// The register memory, read in blocks.
inline constexpr int kRegisterBytes = 96;
inline constexpr int kBlockBytes = 16;
inline constexpr int kBlockCount = kRegisterBytes / kBlockBytes;

// The byte after the header that names the packet kind.
inline constexpr unsigned char kReadBlockKind = 0x30;
inline constexpr unsigned char kRamWriteKind = 0x60;  // OR the register size
inline constexpr unsigned char kPositionHeader = 0xC0; // OR the ID, instead of 0x80 OR the ID
inline constexpr std::array<unsigned char, 4> kFixedPacket = {0xBF, 0x41, 0x4F, 0x01};

inline constexpr int kReadPacketBytes = 3 + kBlockBytes;
// The position write: header, two position groups, en (sent unmasked) and a zero byte.
inline constexpr int kPositionPacketBytes = 5;
inline constexpr int kPositionEnIndex = 3;
inline constexpr int kPositionReplyBytes = 4;
// The largest packet, an upload chunk: every packet buffer holds this much.
inline constexpr int kPacketMax = 21;

// Firmware upload: 16-byte chunks from address 0x1000; the address has 14
// bits, so 12288 bytes fit.
inline constexpr int kChunkBytes = 16;
inline constexpr int kFirstChunkAddress = 0x1000;
inline constexpr long kUploadMaxBytes = 0x4000 - kFirstChunkAddress;
inline constexpr int kChunkAttempts = 5;
inline constexpr int kAckReads = 5;

// An acknowledge (FLASH write, upload chunk) with this bit set refuses.
inline constexpr unsigned char kAckRefused = 0x40;
inline constexpr unsigned char kAckAccepted = 0x00;

// Stray bytes read after a read-all at most: a babbling line must not hold
// the program.
inline constexpr int kDrainMax = 256;

// 7-bit groups, least significant first: byte k = (v >> 7k) & 0x7F.
void encodeGroups(uint32_t value, int size, unsigned char* out);
uint32_t decodeGroups(const unsigned char* bytes, int size);
// The largest value a register of this many bytes holds.
constexpr uint32_t groupsMax(int size)
{
    return size >= 4 ? 0x0FFFFFFFu : (1u << (kGroupBits * size)) - 1;
}

// The sum of the n bytes, negated, AND 0x7F: the bytes and the checksum add
// up to a multiple of 128.
unsigned char checksum7(const unsigned char* bytes, int n);

// How a reply came, one type for every exchange.
enum class ReplyStatus {
    Whole,     // every byte came: an echo equal to the value, an acknowledge that accepts
    None,      // nothing came
    Short,     // some bytes came, not all
    Followed,  // more bytes came after the reply (or, before it, bytes that were not the
               // request's echo): not this packet's answer alone
    Refused,   // an acknowledge with bit 6 set
    Differs,   // an echo that is not the value sent
};

// How the typed replies are judged from what came: shared by the exchanges
// and their fuzz target.
ReplyStatus judgeBlock(int received, int followed);
ReplyStatus judgeEcho(const unsigned char* bytes, int received, int size, uint32_t sent);
ReplyStatus judgeAck(int received, unsigned char ack);
