// One servo on the bus: its RAM, the FLASH copy it restarts from, the
// firmware image uploaded to it, and the travel of its output shaft.
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
    explicit ServoUnit(int id);

    int id() const { return id_; }
    // Back to the factory: memories, no image, shaft at rest.
    void reset();

    std::array<uint8_t, kBlockBytes> readBlock(int address);
    void writeRam(int address, std::span<const uint8_t> bytes);
    void writeFlash(int address, std::span<const uint8_t> bytes);
    // RAM takes the FLASH values, as after power-on.
    void restart();
    void clearFlash();
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
    RegisterMemory ram_;
    RegisterMemory flash_;
    std::vector<uint8_t> image_;
    std::optional<Motion> motion_;
};
