// The one watcher of the wire: counts the reply bytes of every read, and
// with --wire logs every packet sent and every reply read, with timestamps,
// and once whether the port took low latency.
#pragma once

#include <cstdio>
#include <vector>

// Installs the link's wire observer. log: where the packet monitor writes
// (stderr for --wire), or null for counting alone.
void installWireTap(FILE* log);

// Reply bytes received since the program started.
long wireBytesReceived();

// The byte count of every read since the last mark, in order (0 for a read
// that timed out empty): how a command learns which replies came whole.
void markReads();
std::vector<int> readsSinceMark();
// Every reply byte since the last mark, in order.
std::vector<unsigned char> replySinceMark();
