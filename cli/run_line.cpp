#include "run_line.h"

#include "command_lines.h"
#include "term.h"

#include <cstdio>

int runLine(std::string_view line)
{
    return sendLine(term, line);
}

std::string ramWriteLine(int address, unsigned value)
{
    char text[32];
    std::snprintf(text, sizeof text, "w %x %x", static_cast<unsigned>(address), value);
    return text;
}
