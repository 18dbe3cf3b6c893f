#include "run_line.h"

#include "term.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

static_assert(kLineBufferSize >= kCommandBufferMin);

int runLine(const std::string& line)
{
    std::array<char, kLineBufferSize> buffer{};
    std::size_t length = std::min(line.size(), buffer.size() - 1);
    std::memcpy(buffer.data(), line.data(), length);
    return term(buffer.data());
}

std::string ramWriteLine(int address, unsigned value)
{
    char text[32];
    std::snprintf(text, sizeof text, "w %x %x", static_cast<unsigned>(address), value);
    return text;
}
