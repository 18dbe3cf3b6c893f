// How one servo's part of a bus operation ended: what the servo answered,
// judged, with what a front end needs to put it in its own words.
#pragma once

#include <cstdint>

enum class BusStatus {
    Ok,
    PortFailed,       // the port could not be opened (serial_last_error says why)
    NoReply,          // nothing came
    ShortReply,       // bytes of the reply did not come: not trusted
    StrayBytes,       // bytes came after the reply (two servos on one ID, a wrong baud rate): not trusted
    Refused,          // a FLASH write answered with bit 6 set
    EchoDiffers,      // a RAM write echoed another value
    ReadBackDiffers,  // a value written does not read back
    UploadFailed,     // the upload gave up; uploadCode says why
    Stopped,          // the front end stopped it (an interrupt)
};

struct BusOutcome {
    BusStatus status = BusStatus::Ok;
    int id = 0;
    int row = -1;       // the register concerned, -1 for none
    int received = 0;   // reply bytes that came, of expected
    int expected = 0;
    int stray = 0;      // bytes after the replies
    unsigned char ack = 0;
    uint32_t wanted = 0;  // ReadBackDiffers, EchoDiffers: the value sent and the one that came
    uint32_t got = 0;
    uint32_t uploadCode = 0;

    bool ok() const { return status == BusStatus::Ok; }
};
