// One command line through the link's interpreter, as the window sends it.
#pragma once

#include <string>

// The line buffer every caller hands to term: room for any line a person
// types, and far more than the interpreter's packets need.
inline constexpr int kLineBufferSize = 1024;
inline constexpr int kLineMax = kLineBufferSize - 1;

// Runs line (at most kLineMax characters) through term; returns term's result.
int runLine(const std::string& line);

// The RAM write line "w %x %x" for a register address and value.
std::string ramWriteLine(int address, unsigned value);
