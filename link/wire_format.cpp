#include "link/wire_format.h"

void encodeGroups(uint32_t value, int size, unsigned char* out)
{
    for (int k = 0; k < size; ++k)
        out[k] = static_cast<unsigned char>((value >> (kGroupBits * k)) & kGroupMask);
}

uint32_t decodeGroups(const unsigned char* bytes, int size)
{
    uint32_t v = 0;
    for (int k = 0; k < size; ++k)
        v |= static_cast<uint32_t>(bytes[k]) << (kGroupBits * k);
    return v;
}

unsigned char checksum7(const unsigned char* bytes, int n)
{
    int sum = 0;
    for (int k = 0; k < n; ++k)
        sum += bytes[k];
    return static_cast<unsigned char>(-sum & kGroupMask);
}

ReplyStatus judgeBlock(int received, int followed)
{
    if (received == kBlockBytes)
        return followed > 0 ? ReplyStatus::Followed : ReplyStatus::Whole;
    return received == 0 && followed == 0 ? ReplyStatus::None : ReplyStatus::Short;
}

ReplyStatus judgeEcho(const unsigned char* bytes, int received, int size, uint32_t sent)
{
    if (received == 0)
        return ReplyStatus::None;
    if (received < size)
        return ReplyStatus::Short;
    // Reply bytes with bit 7 set are no value groups, whatever they decode to.
    for (int k = 0; k < size; ++k)
        if (bytes[k] & kHeaderBit)
            return ReplyStatus::Differs;
    return decodeGroups(bytes, size) == (sent & groupsMax(size)) ? ReplyStatus::Whole : ReplyStatus::Differs;
}

ReplyStatus judgeAck(int received, unsigned char ack)
{
    if (received == 0)
        return ReplyStatus::None;
    return (ack & kAckRefused) != 0 ? ReplyStatus::Refused : ReplyStatus::Whole;
}
