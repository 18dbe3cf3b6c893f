#include "link/trace.h"

#include <cstdarg>

FILE* traceOut = stdout;

namespace {
bool atLineStart = true;
}

void tracef(const char* format, ...)
{
    char text[256];
    va_list args;
    va_start(args, format);
    int length = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (length <= 0)
        return;
    std::size_t n = static_cast<std::size_t>(length) < sizeof text ? static_cast<std::size_t>(length) : sizeof text - 1;
    std::fwrite(text, 1, n, traceOut);
    atLineStart = text[n - 1] == '\n';
}

void traceChar(char c)
{
    std::fputc(c, traceOut);
    atLineStart = c == '\n';
}

bool traceAtLineStart()
{
    return atLineStart;
}

void traceLineEnded()
{
    atLineStart = true;
}
