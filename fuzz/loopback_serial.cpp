// A serial line for fuzzing only: replies come from the fuzz input with no
// waiting, and every byte the link sends is checked against the rules of
// the wire.
#include "loopback_serial.h"

#include "serial.h"

#include <cstdlib>

namespace {

const uint8_t* replies = nullptr;
std::size_t replyLeft = 0;
bool isOpen = false;
const serial_handle kLoopback = 1;

}  // namespace

void loopback_set_replies(const uint8_t* data, std::size_t size)
{
    replies = data;
    replyLeft = size;
}

bool loopback_is_open()
{
    return isOpen;
}

serial_handle serial_open(const char*, int, int)
{
    if (isOpen)
        std::abort();  // a command that leaves its port open
    isOpen = true;
    return kLoopback;
}

void serial_close(serial_handle h)
{
    if (h == kLoopback)
        isOpen = false;
}

int serial_write(serial_handle h, const void* data, int n)
{
    if (h != kLoopback || n < 1 || n > 21)
        std::abort();
    const auto* p = static_cast<const uint8_t*>(data);
    if ((p[0] & 0x80) == 0)
        std::abort();  // every packet starts with a header
    // Only the enable byte of a position write (header C0..FF, fourth byte) may carry bit 7.
    for (int k = 1; k < n; ++k)
        if ((p[k] & 0x80) != 0 && !(p[0] >= 0xC0 && n == 5 && k == 3))
            std::abort();
    wire_notify(WireDirection::Sent, data, n);
    return n;
}

int serial_read(serial_handle h, void* data, int n)
{
    if (h != kLoopback || n < 1)
        std::abort();
    auto* p = static_cast<uint8_t*>(data);
    int got = 0;
    while (got < n && replyLeft > 0) {
        p[got++] = *replies++;
        --replyLeft;
    }
    return got;
}
