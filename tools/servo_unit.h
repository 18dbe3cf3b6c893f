// One servo on the bus: its RAM, the FLASH copy it restarts from, the
// firmware image uploaded to it, the travel of its output shaft, and the
// baud rate it hears.
#pragma once

#include "link/wire_format.h"
#include "tools/servo_registers.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

class ServoUnit {
public:
    // baud: the only rate the servo hears; 0 for every rate.
    explicit ServoUnit(int id, int baud = 0);

    int id() const { return id_; }
    // Whether the servo hears bytes sent at this rate.
    bool hears(int lineBaud) const { return baud_ == 0 || baud_ == lineBaud; }
    void setBaud(int baud) { baud_ = baud; }
    // Back to the factory: memories, no image, shaft at rest, and the ID and
    // rate it was made with.
    void reset();

    std::array<uint8_t, kBlockBytes> readBlock(int address);
    void writeRam(int address, std::span<const uint8_t> bytes);
    void writeFlash(int address, std::span<const uint8_t> bytes);
    // RAM takes the FLASH values, as after power-on. With updateResets, a
    // restart after upload chunks starts the new firmware as it leaves the
    // factory: RAM and FLASH hold the factory memory of the factory ID.
    void restart(bool updateResets);
    void clearFlash();
    // Keeps the bytes in the image: an upload has begun.
    void storeChunk(std::size_t offset, std::span<const uint8_t> bytes);
    // Starts the shaft toward target; returns where it is now.
    int moveTo(int target);

    const RegisterMemory& ram();
    const RegisterMemory& flash() const { return flash_; }
    const std::vector<uint8_t>& image() const { return image_; }

private:
    using Clock = std::chrono::steady_clock;
    struct Motion {
        int from;
        int target;
        Clock::time_point start;
    };

    // M_POS is brought up to date only when someone looks at it.
    void settle();
    int position() const;

    int factoryId_;  // the ID a reset goes back to
    int id_;
    int factoryBaud_;  // the rate a reset goes back to
    int baud_;
    bool uploaded_ = false;  // chunks stored since the last restart
    RegisterMemory ram_;
    RegisterMemory flash_;
    std::vector<uint8_t> image_;
    std::optional<Motion> motion_;
};
