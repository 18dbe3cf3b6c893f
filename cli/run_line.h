// One command line through the link's interpreter, as the window sends it.
#pragma once

#include <string>
#include <string_view>

// Lines longer than this are refused, as the window's command field holds no more.
inline constexpr int kLineMax = 1023;

// Runs line through term; returns term's result.
int runLine(std::string_view line);

// The RAM write line "w %x %x" for a register address and value.
std::string ramWriteLine(int address, unsigned value);
