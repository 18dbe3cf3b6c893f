// The command interpreter: one command line in, packets out, replies into
// param and the trace.
#pragma once

#include "serial.h"
#include "trace.h"

#include <cstdio>

// Every caller's line buffer holds at least this much: the interpreter
// builds its packets in it (the largest, an upload chunk, is 21 bytes).
inline constexpr int kCommandBufferMin = 21;


// Runs one command line. Returns 0, or -1 for a failed upload with the
// failure kind in the thread's last-error value (lasterror.h).
int term(char* line);

// Reads up to maxCount hexadecimal operands after the first word, the way
// "%s %x %x..." does; returns how many were found. A value beyond 32 bits
// comes out as all ones, which the commands take as negative and ignore.
int termOperands(const char* line, int* out, int maxCount);

// Operands of the "b" command, kept from one command to the next.
struct PositionOperands {
    int from;
    int to;
    int pos;
    int en;
};
extern PositionOperands bOperands;

// The read-all command's pieces, for front ends that read blocks on a port
// they hold open for a series of reads (scan, watch).
inline constexpr int kBlockBytes = 16;

// Opens the port with the settings in force as every command does: a second
// try, then the link's fatal "serial_open" (or SERIAL_INVALID with
// kPortOpenFailed, see set_port_failure).
serial_handle openPortInForce();
// Sends the read packet for the 16-byte block at blockAddress; returns the
// bytes written.
int sendReadBlock(serial_handle h, int id, int blockAddress);
// The read packet and its reply into out (16 bytes, zero where nothing
// came); returns the bytes that came.
int readBlock(serial_handle h, int id, int blockAddress, unsigned char* out);
