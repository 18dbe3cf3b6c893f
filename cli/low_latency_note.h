// What orvelin ports and --wire say about a port's low latency.
#pragma once

#include "serial.h"

// "low latency: on", "... not supported by this driver", "... not available on this system".
const char* lowLatencyNote(LowLatency state);
