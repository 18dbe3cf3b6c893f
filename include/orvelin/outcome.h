// How one servo's part of an operation ended: what it answered, judged, with
// the evidence a front end needs to say so in its own words.
#pragma once

#include <cstdint>

namespace orvelin {

enum class Status {
    Ok,
    PortFailed,       // the port is not open (Bus::openError says why)
    NoReply,          // nothing came
    ShortReply,       // bytes of the reply did not come: not trusted
    StrayBytes,       // bytes came after the reply (two servos on one ID, a wrong baud rate): not trusted
    Refused,          // a FLASH write answered with bit 6 set
    EchoDiffers,      // a RAM write echoed another value
    ReadBackDiffers,  // a value written does not read back
    UploadFailed,     // the upload gave up; upload says why
    Stopped,          // the caller stopped it (a progress callback, an interrupt)
};

// How an upload that gave up ended.
enum class UploadFailure {
    None,
    FileUnreadable,  // missing, not a plain file, its path too long
    ImageInvalid,    // empty, a byte at or above 0x80, or longer than 12288 bytes
    NoAcknowledge,   // a chunk got no acknowledge in five attempts
    ChunkRefused,    // a chunk was refused (bit 6) at the fifth attempt
};

struct Outcome {
    Status status = Status::Ok;
    int id = 0;
    int row = -1;       // the register concerned (its row in registers()), -1 for none
    int received = 0;   // reply bytes that came, of expected
    int expected = 0;
    int stray = 0;      // bytes after the replies
    unsigned char ack = 0;
    uint32_t wanted = 0;  // ReadBackDiffers, EchoDiffers: the value sent and the one that came
    uint32_t got = 0;
    UploadFailure upload = UploadFailure::None;
    int chunkAddress = -1;  // NoAcknowledge, ChunkRefused: the chunk's address

    bool ok() const { return status == Status::Ok; }
};

}  // namespace orvelin
