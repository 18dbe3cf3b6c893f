// A read-all of one servo as orvelin's commands trust it: every byte of the
// six blocks came and nothing followed them.
#pragma once

#include <array>
#include <cstdint>

inline constexpr int kRegisterBytes = 96;

struct RegisterRead {
    int received = 0;  // bytes of the six blocks
    int stray = 0;     // bytes drained after them
    bool whole() const { return received == kRegisterBytes && stray == 0; }
};

// "R" through the interpreter for SendID: param holds what came; the trace
// goes wherever traceOut points.
RegisterRead readRegisters();

// Says on stderr why a read is not to be trusted and returns its exit
// status; kExitOk for a whole one.
int judgeRead(const RegisterRead& read);

// The bytes that came back for the lines run since markReads().
int replyBytesSinceMark();

// One servo's register memory as it was read.
struct ServoMemory {
    int id = 0;
    std::array<unsigned char, kRegisterBytes> bytes{};

    // Row r's value, decoded as the window shows it.
    uint32_t value(int row) const;
};

// Reads the registers of the servo with this ID into memory; a read that is
// not whole is reported and its exit status returned.
int readServoMemory(int id, ServoMemory& memory);
