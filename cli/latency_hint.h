// The USB latency timer hint for the commands whose speed it governs.
#pragma once

// A hint on stderr when the port in force is a USB adapter with a latency
// timer above 1 ms.
void warnAboutLatency();
