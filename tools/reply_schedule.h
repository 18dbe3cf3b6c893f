// When the bytes of a reply reach the host: each on the wire for 10 bits
// of the paced rate, then, behind a USB-serial adapter, held by its latency
// timer. The adapter passes what it holds on when the timer runs out (the
// latency after the first byte it began holding) or when its buffer is
// full, whichever comes first.
#pragma once

#include <chrono>
#include <cstddef>
#include <span>
#include <vector>

// Bytes an FTDI-style adapter holds before it must pass them on: one USB
// packet of 64 bytes less its two status bytes.
inline constexpr std::size_t kAdapterBufferBytes = 62;

struct ReplyBurst {
    std::chrono::steady_clock::time_point at;
    std::size_t bytes;
};

// When each of `count` bytes is off the wire, the first starting at `start`.
std::vector<std::chrono::steady_clock::time_point> offWire(std::size_t count, std::chrono::nanoseconds byteTime,
                                                           std::chrono::steady_clock::time_point start);

// The bursts in which the adapter passes on bytes that reach it at these
// times (in order: an echo, then a reply). Without a latency each byte is
// passed on as it comes, bytes that come together in one burst.
std::vector<ReplyBurst> adapterBursts(std::span<const std::chrono::steady_clock::time_point> arrivals,
                                      std::chrono::milliseconds latency);

// The bursts in which `count` bytes arrive, the first starting on the wire
// at `start`. Without a byte time the bytes take no wire time; without a
// latency each byte arrives as soon as it is off the wire.
std::vector<ReplyBurst> replySchedule(std::size_t count, std::chrono::nanoseconds byteTime,
                                      std::chrono::milliseconds latency,
                                      std::chrono::steady_clock::time_point start);
