// The command line of orvelin-virtual-servo.
#pragma once

#include "tools/bus_servo.h"
#include "tools/servo_registers.h"

#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

struct ServoOptions {
    // A fault or preset option and its control-language line.
    struct Control {
        std::string option;
        std::string line;
    };

    std::vector<BusServo> servos{{kFactoryId}};
    std::vector<Control> controls;
    std::string linkPath;
    std::string controlPath;
    std::string logPath;
    bool help = false;
    bool version = false;
};

extern const std::string_view kServoUsage;

// The options, or the message for a command line that makes no sense.
std::variant<ServoOptions, std::string> parseServoOptions(std::span<char* const> args);
