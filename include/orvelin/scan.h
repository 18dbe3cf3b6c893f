// Which IDs answer on the bus, at one baud rate or several: a sweep that
// probes every ID with only a short wait after each, then a whole exchange
// with each ID the sweep named or left unclear, on an emptied line, before
// any is listed. No reply is ever taken for another ID's.
#pragma once

#include "orvelin/bus.h"
#include "orvelin/outcome.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace orvelin {

struct ScanFind {
    // Ok; StrayBytes when bytes came after the reply (garbled), when the
    // reply came late, after its time (late), or when it named another ID
    // (namedId); ShortReply when bytes of it did not come. Nothing of an
    // answer that is not Ok is used.
    Outcome outcome;
    int baud = 0;
    bool late = false;
    int namedId = -1;
    uint32_t partNumber = 0;  // SYS_PN
    uint32_t version = 0;     // SYS_VER
};

struct ScanCalls {
    std::function<void(int id, std::size_t k, int baud)> tried;  // before each probe
    std::function<void(const ScanFind&)> found;                   // after each ID that answered
    std::function<bool()> stop;                                   // asked before each probe
    std::function<void(int baud)> rateRefused;                    // the driver would not take it
};

// The six rates of the windows' baud selector, 14400 to 230400.
const std::vector<int>& everyBaudRate();

// Every ID from 0x00 to 0x3F.
std::vector<int> everyId();

// Probes each of ids at the bus's rate; returns every ID that answered,
// garbled ones included (their outcome says so). lastRate: no other rate is
// tried after this one, so the sweep may listen longer for late replies.
std::vector<ScanFind> scanIds(Bus& bus, const std::vector<int>& ids, const ScanCalls& calls = {},
                              bool lastRate = true);
// The same at each of rates in turn; the bus's own rate is set back after.
std::vector<ScanFind> scanRates(Bus& bus, const std::vector<int>& rates, const std::vector<int>& ids,
                                const ScanCalls& calls = {});

// The IDs among ids whose answer came whole, at the bus's rate, asked one
// by one: for a short list of IDs someone named.
std::vector<int> answeringIds(Bus& bus, const std::vector<int>& ids);

}  // namespace orvelin
