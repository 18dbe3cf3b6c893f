// A serial line for fuzzing only: replies come from the fuzz input with no
// waiting, and every byte the link sends is checked against the rules of
// the wire.
#include "fuzz/loopback_serial.h"

#include "link/serial.h"

#include <cstdlib>

namespace {

const uint8_t* replies = nullptr;
std::size_t replyLeft = 0;
const uint8_t* limits = nullptr;
std::size_t limitsLeft = 0;
bool isOpen = false;
const serial_handle kLoopback = 1;

}  // namespace

void loopback_set_replies(const uint8_t* data, std::size_t size)
{
    replies = data;
    replyLeft = size;
    limits = nullptr;
    limitsLeft = 0;
}

void loopback_set_read_limits(const uint8_t* data, std::size_t count)
{
    limits = data;
    limitsLeft = count;
}

std::size_t loopback_replies_left()
{
    return replyLeft;
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
    if (limitsLeft > 0) {
        if (*limits < n)
            n = *limits;
        ++limits;
        --limitsLeft;
    }
    auto* p = static_cast<uint8_t*>(data);
    int got = 0;
    while (got < n && replyLeft > 0) {
        p[got++] = *replies++;
        --replyLeft;
    }
    return got;
}

int serial_read_some(serial_handle h, void* data, int n, int)
{
    return serial_read(h, data, n);
}

bool serial_set_baud(serial_handle h, int baud)
{
    if (h != kLoopback)
        std::abort();
    return baud > 0;
}

// What the script still holds is what waits on the line.
int serial_pending(serial_handle h)
{
    if (h != kLoopback)
        std::abort();
    return static_cast<int>(replyLeft);
}
