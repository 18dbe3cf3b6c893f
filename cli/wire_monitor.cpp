#include "wire_monitor.h"

#include "serial.h"

#include <chrono>

namespace {

FILE* logStream = nullptr;
long receivedTotal = 0;
const auto startTime = std::chrono::steady_clock::now();

// One line per write and per read: milliseconds since start, direction,
// the bytes, or "(nothing)" for a read that timed out empty.
void observe(WireDirection direction, const unsigned char* data, int n)
{
    if (direction == WireDirection::Received)
        receivedTotal += n;
    if (logStream == nullptr)
        return;
    // The trace written so far goes first, so a shared terminal or file
    // shows each packet after the trace line that announced it.
    std::fflush(stdout);
    auto elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - startTime);
    std::fprintf(logStream, "%10.3f ms %s", elapsed.count(), direction == WireDirection::Sent ? "->" : "<-");
    for (int k = 0; k < n; ++k)
        std::fprintf(logStream, " %02X", data[k]);
    if (n == 0)
        std::fputs(" (nothing)", logStream);
    std::fputc('\n', logStream);
    std::fflush(logStream);
}

}  // namespace

void installWireTap(FILE* log)
{
    logStream = log;
    set_wire_observer(observe);
}

long wireBytesReceived()
{
    return receivedTotal;
}
