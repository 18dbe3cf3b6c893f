// The servo's end of a pseudo-terminal: the master, and a slave descriptor
// of its own held open for the servo's whole life, so that the master never
// reads EIO in the gaps between two host commands.
#pragma once

#include "tools/reply_schedule.h"
#include "tools/unique_fd.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

class PtyLine {
public:
    // A new pseudo-terminal in raw mode; false if the system gives none.
    bool open();
    // Both ends closed: the device node disappears.
    void close();

    int masterFd() const { return master_.get(); }
    const std::string& slavePath() const { return slavePath_; }

    // What the host has sent; 0 when nothing is waiting.
    std::size_t receive(std::span<uint8_t> buffer);
    // The baud rate the host has set on its end; 0 when the system does not say.
    int rate() const;
    // The bytes in order, each burst of them at its time (adapterBursts).
    // Returns how far behind its time the latest burst went out: a busy
    // machine can hold this thread as nothing holds a real servo.
    std::chrono::nanoseconds send(std::span<const uint8_t> bytes, std::span<const ReplyBurst> bursts);

    // Drops what the servo sent and the host never read: a real port loses
    // it on close, but here the servo's own slave keeps the line open.
    void discardUnread();

private:
    void writeAll(std::span<const uint8_t> bytes);

    UniqueFd master_;
    UniqueFd slave_;
    std::string slavePath_;
};

// 10 bits of this rate; zero when the rate is not positive.
std::chrono::nanoseconds byteTime(int baud);
