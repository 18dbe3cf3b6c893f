// One function per exchange with the servo, on a port the caller holds
// open: each sends its packet and returns what came back, typed. The
// interpreter traces these replies; the bus layer judges them.
#pragma once

#include "link/serial.h"
#include "link/wire_format.h"

#include <array>
#include <cstdint>
#include <functional>

// An adapter that returns every byte it sends (one-wire, half-duplex) puts
// a copy of each request on the line ahead of the reply. Every exchange
// skips it: a reply byte never has bit 7 set and every request starts with
// a header that has it, so only a whole, exact copy of the request counts as
// its echo (or of the fixed packet, which nothing answers, left on the line
// by the command before). Each typed reply says whether one came (echoed).
struct ReplyRead {
    int received = 0;  // reply bytes, of n
    bool echoed = false;
    int surplus = 0;   // bytes that began like the echo and were not: not trusted
};
// Reads the n-byte reply to request (length bytes, already sent) into out
// with the port's time-outs, skipping the request's echo. out may be the
// request's own buffer: where no reply byte came it keeps what it held.
ReplyRead readReply(serial_handle h, const unsigned char* request, int length, unsigned char* out, int n);

// The read packet for the block at blockAddress (kReadPacketBytes).
void buildReadPacket(unsigned char* packet, int id, int blockAddress);

// Whether a read also waits to see that nothing follows the reply.
enum class QuietCheck { Skip, After };

struct BlockReply {
    ReplyStatus status = ReplyStatus::None;
    int written = 0;   // of kReadPacketBytes
    int received = 0;  // of kBlockBytes
    int followed = 0;  // bytes after the reply (QuietCheck::After only)
    bool echoed = false;
};
// The read packet for the block at blockAddress, its reply into out (16
// bytes, zero where nothing came).
BlockReply readBlockExchange(serial_handle h, int id, int blockAddress, unsigned char* out,
                             QuietCheck quiet = QuietCheck::Skip);
// The same for block 0, taking the ID for silent once the first four bytes
// (SYS_PN and SYS_VER) have not come in their time: 50 ms a silent ID
// instead of 170. The quiet check is made only when something came.
BlockReply probeBlockExchange(serial_handle h, int id, unsigned char* out, QuietCheck quiet = QuietCheck::After);
// After a probe that got nothing: waits as long again for a reply that
// comes after its time, then empties the line. Returns the bytes that came.
int awaitLateReply(serial_handle h);

struct EchoReply {
    ReplyStatus status = ReplyStatus::None;
    int received = 0;
    uint32_t echo = 0;  // the groups that came, decoded
    bool echoed = false;  // the adapter's copy of the request came first
};
// RAM write of size bytes at address, built in packet (kPacketMax bytes);
// the echo is read over it, so packet then holds the reply bytes with the
// packet's own bytes where nothing came.
EchoReply ramWriteExchange(serial_handle h, int id, int address, int size, uint32_t value, unsigned char* packet);

struct AckReply {
    ReplyStatus status = ReplyStatus::None;
    int received = 0;
    unsigned char ack = 0;
    bool echoed = false;
};
// FLASH write of size bytes at address, with its checksum; the acknowledge
// is read over packet as for the RAM write.
AckReply flashWriteExchange(serial_handle h, int id, int address, int size, uint32_t value, unsigned char* packet);

struct PositionReply {
    ReplyStatus status = ReplyStatus::None;
    int received = 0;  // of kPositionReplyBytes, read over packet
    bool echoed = false;
};
// Position write to the servo with ID k (the header keeps only its low 8 bits).
PositionReply positionWriteExchange(serial_handle h, int k, int pos, int en, unsigned char* packet);
// The fixed packet; nothing answers it, and an adapter's echo of it is left
// on the line (a port is emptied at every open).
void sendFixedPacket(serial_handle h, unsigned char* packet);

// Builds the upload chunk of n file bytes for chunkAddress in packet;
// returns its length.
int buildUploadChunk(unsigned char* packet, int id, int chunkAddress, const unsigned char* bytes, int n);
// One send of a built chunk, then up to kAckReads one-byte reads for its
// acknowledge; emptyRead(k) is told of the k-th read that got nothing.
AckReply uploadChunkExchange(serial_handle h, const unsigned char* packet, int length,
                             const std::function<void(int k)>& emptyRead);

// Bytes already waiting on the line, without waiting for more.
int bytesWaiting(serial_handle h);

// Reads single bytes until the line is quiet or max came; each(byte) sees
// every one. Returns how many came.
int drainLine(serial_handle h, int max, const std::function<void(unsigned char)>& each = {});
// The same with a quiet time of the caller's (microseconds) instead of the
// port's time-outs, for a line whose pace is known.
int drainQuiet(serial_handle h, int quietUs, int max = kDrainMax);
