// The diagnostic trace of the interpreter. Every piece goes through here to
// traceOut, so a front end that writes beside it (a packet monitor) can tell
// whether a trace line is open.
#pragma once

#include <cstdio>

// Where the trace goes; stdout unless a front end or a test points it elsewhere.
extern FILE* traceOut;

#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
void tracef(const char* format, ...);
void traceChar(char c);

// False while a trace line has been begun and not yet ended.
bool traceAtLineStart();
// A front end that shares the trace's terminal has ended the open line there.
void traceLineEnded();
