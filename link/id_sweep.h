// The scan's sweep over IDs: block 0's read packet to each ID in turn with
// only a short wait after it, and the replies sorted out by the servo they
// name. Block 0 carries SYS_SID, so a reply that comes late names its own
// servo and is never given to the ID probed at that moment; bytes that form
// no whole reply make the IDs probed shortly before them unclear. The bus
// layer confirms each named or unclear ID with a whole exchange before it
// lists one.
#pragma once

#include "link/serial.h"

#include <cstddef>
#include <functional>
#include <vector>

struct SweepLine {
    int baud = 0;        // the line's rate: how long the bytes take on the wire
    int latencyUs = -1;  // how long after crossing the wire a byte reaches this program; -1 unknown
    // The last sweep before the line changes no more: it listens long enough
    // to see a reply far too late to be found (the scan says so); a sweep
    // with another rate after it must not leave replies in flight for as long.
    bool lastRate = true;
};

struct SweepResult {
    std::vector<int> named;    // IDs that whole replies named, in the order probed
    std::vector<int> unclear;  // IDs probed shortly before bytes that made no whole reply
    bool echoed = false;       // whole copies of the probes came back: an echoing adapter
    int latencyUs = -1;        // learnt from this sweep's own replies and echoes; -1 none came
};

// Probes ids in order. next(id, k) is asked before each probe and stops the
// sweep by returning false.
SweepResult sweepIds(serial_handle h, const std::vector<int>& ids, const SweepLine& line,
                     const std::function<bool(int id, std::size_t k)>& next = {});
