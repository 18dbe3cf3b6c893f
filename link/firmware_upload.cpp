#include "link/firmware_upload.h"

#include <algorithm>

namespace {

// The first byte at or above 0x80, or -1.
long firstHighByte(std::span<const unsigned char> image)
{
    for (std::size_t k = 0; k < image.size(); ++k) {
        if (image[k] & kHeaderBit)
            return static_cast<long>(k);
    }
    return -1;
}

// One chunk: up to kChunkAttempts sends, each followed by up to kAckReads
// one-byte reads for the acknowledge. Returns the accepting reply, or the
// last attempt's.
AckReply sendChunk(serial_handle h, const unsigned char* packet, int length, const UploadObserver& observer)
{
    AckReply reply;
    for (int attempt = 1; attempt <= kChunkAttempts; ++attempt) {
        reply = uploadChunkExchange(h, packet, length, observer.emptyRead);
        if (reply.status == ReplyStatus::Whole)
            break;
        if (observer.notAccepted)
            observer.notAccepted(attempt, reply);
    }
    return reply;
}

}  // namespace

UploadResult uploadImage(serial_handle h, int id, std::span<const unsigned char> image,
                         const UploadProgress& progress, const UploadObserver& observer, UploadCheck check)
{
    UploadResult result;
    result.total = static_cast<long>(image.size());
    if (image.size() > static_cast<std::size_t>(kUploadMaxBytes)) {
        result.status = UploadStatus::TooLong;
        return result;
    }
    if (long high = firstHighByte(image); high >= 0) {
        result.status = UploadStatus::NotSevenBit;
        result.offset = high;
        result.byte = image[static_cast<std::size_t>(high)];
        return result;
    }

    unsigned char packet[kPacketMax];
    for (std::size_t offset = 0; offset < image.size(); offset += kChunkBytes) {
        const int n = static_cast<int>(std::min<std::size_t>(image.size() - offset, kChunkBytes));
        const int address = kFirstChunkAddress + static_cast<int>(offset);
        if (check == UploadCheck::AloneEach && (result.stray = serial_pending(h)) > 0) {
            result.status = UploadStatus::Followed;
            result.address = address;
            return result;
        }
        if (observer.chunk)
            observer.chunk(address, n);
        const int length = buildUploadChunk(packet, id, address, image.data() + offset, n);
        const AckReply reply = sendChunk(h, packet, length, observer);
        if (reply.status != ReplyStatus::Whole) {
            result.status = reply.status == ReplyStatus::Refused ? UploadStatus::Refused : UploadStatus::NoAcknowledge;
            result.address = address;
            result.ack = reply.status == ReplyStatus::Refused ? reply.ack : 0;
            return result;
        }
        result.sent += n;
        if (progress && !progress(result.sent, result.total)) {
            result.status = UploadStatus::Stopped;
            return result;
        }
    }
    return result;
}
