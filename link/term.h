// The command interpreter: one command line in, packets out, replies into
// param and the trace.
#pragma once

#include <cstdio>

// Every caller's line buffer holds at least this much: the interpreter
// builds its packets in it (the largest, an upload chunk, is 21 bytes).
inline constexpr int kCommandBufferMin = 21;

// Where the diagnostic trace goes; stdout unless a front end or a test
// points it elsewhere.
extern FILE* traceOut;

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
