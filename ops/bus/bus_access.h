// The bus layer's own view of a session: the serial handle under it, and
// what its exchanges teach it about the line.
#pragma once

#include "link/serial.h"
#include "orvelin/bus.h"

namespace orvelin {

// How the session names the serial layer's reasons.
PortError portErrorFrom(SerialFailure failure);

struct BusAccess {
    static serial_handle handle(const Bus& bus);
    // Empties the line: bytes still on their way from an earlier exchange
    // must not be taken for the next one's reply. Returns how many came.
    static int drain(Bus& bus);
    // Empties the line until it has been quiet for as long as a second
    // reply would take to come (line_timing.h). Returns how many came.
    static int drainQuiet(Bus& bus);
    static void sawEcho(Bus& bus, bool echoed);
    static void sawLatency(Bus& bus, int us);
};

}  // namespace orvelin
