// The one watcher of the wire: counts the reply bytes that came, and with
// --wire logs every packet sent and every reply read, with timestamps.
#pragma once

#include <cstdio>

// Installs the link's wire observer. log: where the packet monitor writes
// (stderr for --wire), or null for counting alone.
void installWireTap(FILE* log);

// Reply bytes received since the program started.
long wireBytesReceived();
