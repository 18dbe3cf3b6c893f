// Asks the serial driver to hand received bytes over at once instead of
// after a USB adapter's latency timer, and puts the driver's setting back
// afterwards. The POSIX backend's helper; twins: low_latency_linux.cpp,
// low_latency_macos.cpp, and low_latency_posix.cpp for other systems.
#pragma once

#include "link/serial.h"

// What the request got, and what serial_close must put back.
struct LowLatencyGrant {
    LowLatency state = LowLatency::Unavailable;
    bool restore = false;  // the driver's flags were changed
    int previousFlags = 0;
};

LowLatencyGrant request_low_latency(int fd);
void release_low_latency(int fd, const LowLatencyGrant& grant);
