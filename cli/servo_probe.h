// Which servo IDs answer on the bus: one short read per ID, as scan does.
#pragma once

#include "serial.h"

#include <functional>
#include <vector>

// The read block of SYS_PN and SYS_VER, waiting only for its first bytes
// before taking an ID for silent; the bytes that came, into out (16 bytes).
int probeServo(serial_handle h, int id, unsigned char* out);

// The IDs among candidates that answer at the baud rate in force, on a port
// held open for the whole series. tried(id, k) is told before each probe,
// found(id, block) after each answer; the series ends early when stop() says.
std::vector<int> probeServos(const std::vector<int>& candidates,
                             const std::function<void(int id, std::size_t k)>& tried,
                             const std::function<void(int id, const unsigned char* block)>& found,
                             const std::function<bool()>& stop);
