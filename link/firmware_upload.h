// A firmware image sent to the servo in checksummed 16-byte chunks from
// address 0x1000, each chunk sent up to five times until the servo accepts
// it: one typed exchange, which neither traces nor touches the last-error
// value.
#pragma once

#include "link/protocol.h"
#include "link/serial.h"

#include <functional>
#include <span>

// How an upload ended, with the evidence in UploadResult.
enum class UploadStatus {
    // Every chunk was accepted. An empty image has no chunks: nothing is
    // sent, and the upload is done.
    Done,
    // Refused before anything was sent: the byte at `offset` (`byte`) is at
    // or above 0x80, which no packet byte but a header may be. The first
    // such byte is the one named.
    NotSevenBit,
    // Refused before anything was sent: the image has more than
    // kUploadMaxBytes bytes (`total`): the chunk after the one at 0x3FF0
    // would go to address 0, as the address has 14 bits.
    TooLong,
    // The chunk at `address` went out kChunkAttempts times and was not
    // accepted; the last attempt got no acknowledge: nothing came after
    // kAckReads reads, or what came was not one (a broken copy of the
    // request from an echoing adapter).
    NoAcknowledge,
    // The chunk at `address` went out kChunkAttempts times and was not
    // accepted; the last attempt's acknowledge (`ack`) refused it (bit 6).
    Refused,
    // The progress callback asked to stop after `sent` bytes had been
    // accepted; nothing more was sent.
    Stopped,
    // UploadCheck::AloneEach: bytes were waiting when the chunk at `address`
    // was due, after the last one's acknowledge: a second answer (two servos
    // on one ID) or noise, so that acknowledge was not surely this servo's.
    Followed,
};

// What an upload asks of the acknowledges beyond what the window's upload
// asks: that each came alone, nothing waiting after it when the next chunk
// is due (the bus layer's judgement of answers).
enum class UploadCheck { AsTheWindow, AloneEach };

struct UploadResult {
    UploadStatus status = UploadStatus::Done;
    long sent = 0;           // image bytes the servo accepted, from the start of the image
    long total = 0;          // the image's size
    long offset = -1;        // NotSevenBit: where the byte sits in the image
    unsigned char byte = 0;  // NotSevenBit: the byte
    int address = -1;        // NoAcknowledge, Refused, Followed: the chunk's address (kFirstChunkAddress + sent)
    unsigned char ack = 0;   // Refused: the acknowledge byte
    int stray = 0;           // Followed: the bytes that were waiting

    bool done() const { return status == UploadStatus::Done; }
};

// Told after every accepted chunk, with the bytes accepted so far and the
// image's size; false stops the upload there (UploadStatus::Stopped).
using UploadProgress = std::function<bool(long sent, long total)>;

// What happens inside an upload, as it happens, for a caller that traces it
// or keeps its own account. Every member is optional.
struct UploadObserver {
    // The chunk of n image bytes for address is about to go out for the first time.
    std::function<void(int address, int n)> chunk;
    // The k-th acknowledge read (1..kAckReads) of the current attempt got nothing.
    std::function<void(int k)> emptyRead;
    // Attempt (1..kChunkAttempts) of the current chunk ended without its
    // acceptance; reply says what came instead.
    std::function<void(int attempt, const AckReply& reply)> notAccepted;
};

// Sends image to the servo with this ID on an open port. The whole image is
// checked before the first chunk goes out: a corrupt or oversized image
// must not be half-written into the servo.
UploadResult uploadImage(serial_handle h, int id, std::span<const unsigned char> image,
                         const UploadProgress& progress = {}, const UploadObserver& observer = {},
                         UploadCheck check = UploadCheck::AsTheWindow);
