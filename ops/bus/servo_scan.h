// Which IDs answer on the bus: one short read of block 0 per ID, on a line
// emptied before each probe, so no reply is ever taken for another ID's.
#pragma once

#include "ops/bus/bus_port.h"
#include "ops/bus/outcome.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

struct ScanFind {
    // Ok; StrayBytes when bytes came after the reply (garbled), or when the
    // reply came late, after its time (late; nothing of it is used).
    BusOutcome outcome;
    bool late = false;
    uint32_t partNumber = 0;  // SYS_PN
    uint32_t version = 0;     // SYS_VER
};

struct ScanCalls {
    std::function<void(int id, std::size_t k)> tried;  // before each probe
    std::function<void(const ScanFind&)> found;         // after each ID that answered
    std::function<bool()> stop;                         // asked before each probe
};

// Probes each of ids on port; returns every ID that answered, garbled ones
// included (their outcome says so).
std::vector<ScanFind> scanIds(BusPort& port, const std::vector<int>& ids, const ScanCalls& calls = {});

// The IDs among ids whose answer came whole.
std::vector<int> answeringIds(BusPort& port, const std::vector<int>& ids);
