// What orvelin tells about the port's latency: the USB latency timer hint
// for the commands whose speed it governs, and the low latency state that
// ports and --wire report.
#pragma once

#include "link/serial.h"

#include <string>

// A hint on stderr when port is a USB adapter with a latency timer above 1 ms.
void warnAboutLatency(const std::string& port);

// "low latency: on", "... not supported by this driver", "... not available on this system".
const char* lowLatencyNote(LowLatency state);
