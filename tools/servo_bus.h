// The servos that share one line, and the answer each packet gets from them
// with the faults in force.
#pragma once

#include "tools/bus_servo.h"
#include "tools/servo_unit.h"
#include "tools/virtual_servo.h"

#include <cstdint>
#include <optional>
#include <random>
#include <span>
#include <vector>

class ServoBus {
public:
    // An ID may come more than once: servos that share it all answer.
    explicit ServoBus(std::span<const BusServo> servos);

    // The reply to one complete packet that came at lineBaud (0: at no one
    // rate); nothing when no servo answers. Only servos that hear that rate
    // take the packet. Servos that share the packet's ID answer in their
    // order on the bus, each reply after the last.
    std::optional<std::vector<uint8_t>> answer(const std::vector<uint8_t>& packet, int lineBaud);

    // The nth servo (from 1) with this ID; nothing when there are fewer.
    ServoUnit* unit(int id, int nth = 1);
    // The first servo's ID, or nothing on an empty bus.
    std::optional<int> firstId() const;
    // Puts bytes into RAM and FLASH alike, so they survive a restart.
    bool preset(int id, int address, std::span<const uint8_t> bytes, int nth = 1);
    // Factory memories, no upload images, no faults.
    void reset();

    VirtualServoFaults faults;

private:
    std::vector<uint8_t> readBlock(ServoUnit& servo, const std::vector<uint8_t>& packet);
    std::vector<uint8_t> ramWrite(ServoUnit& servo, const std::vector<uint8_t>& packet);
    std::optional<std::vector<uint8_t>> flashWrite(std::span<ServoUnit* const> servos,
                                                   const std::vector<uint8_t>& packet);
    std::vector<uint8_t> positionWrite(ServoUnit& servo, const std::vector<uint8_t>& packet);
    std::vector<uint8_t> withBadBits(std::vector<uint8_t> reply) const;

    std::vector<ServoUnit> units_;
    std::minstd_rand noise_;
};
