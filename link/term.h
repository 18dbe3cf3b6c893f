// The command interpreter: one command line in, packets out, replies into
// param and the trace.
#pragma once

#include "link/protocol.h"
#include "link/serial.h"
#include "link/trace.h"

#include <cstdio>
#include <vector>

// Every caller's line buffer holds at least this much: the interpreter
// builds its packets in it.
inline constexpr int kCommandBufferMin = kPacketMax;

// Runs one command line. Returns 0, or -1 for a failed upload with the
// failure kind in the thread's last-error value (lasterror.h).
int term(char* line);

// Operands of the "b" command, kept from one command to the next.
struct PositionOperands {
    int from;
    int to;
    int pos;
    int en;
};
extern PositionOperands bOperands;

// A command line as the interpreter reads it, before anything is sent.
enum class TermCommand { None, ReadAll, RamWrite, FlashWrite, Positions, Fixed, Upload };
struct TermLine {
    TermCommand command = TermCommand::None;
    int operandCount = 0;       // operands the line supplies
    int address = -1;           // "w", "f": -1 when missing or negative
    int value = -1;
    int row = -1;               // "w", "f": the register at address, -1 for none
    PositionOperands positions{};  // "b": the operands in force once the line is read
    int firstId = 0;            // "b": the IDs its packets go to, first to last
    int lastId = -1;
};
// Reads line with the "b" operands in force; changes nothing.
TermLine parseTermLine(const char* line);

// Just past the line's first word (the command word), blanks before it skipped.
const char* firstWordEnd(const char* line);

// Reads up to maxCount hexadecimal operands after the first word, the way
// "%s %x %x..." does; returns how many were found. A value beyond 32 bits
// comes out as all ones, which the commands take as negative and ignore.
int termOperands(const char* line, int* out, int maxCount);

// What the servo answered to the last command line, reply by reply, for
// front ends that tell the operator about a reply that did not come.
struct TermReply {
    int id = 0;
    int expected = 0;   // bytes the command reads; 0 for the drain after a read-all
    int received = 0;
    ReplyStatus status = ReplyStatus::None;
    unsigned char ack = 0;  // "f": the acknowledge
    bool echoed = false;    // the adapter returned the request ahead of the reply
};
const std::vector<TermReply>& termReplies();

// Opens the port with the settings in force as every command does: a second
// try, then the link's fatal "serial_open" (or SERIAL_INVALID with
// kPortOpenFailed, see set_port_failure).
serial_handle openPortInForce();
