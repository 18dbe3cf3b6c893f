#include "packet_text.h"

#include <cctype>

const char* firstWordEnd(const char* line)
{
    const char* p = line;
    while (std::isspace(static_cast<unsigned char>(*p)))
        ++p;
    while (*p != '\0' && !std::isspace(static_cast<unsigned char>(*p)))
        ++p;
    return p;
}

unsigned char checksum7(const unsigned char* bytes, int n)
{
    int sum = 0;
    for (int k = 0; k < n; ++k)
        sum += bytes[k];
    return static_cast<unsigned char>(-sum & 0x7F);
}
