// One servo's place on a bus: its ID and the one baud rate it hears, as
// "--ids 1@57600,2@115200,3F" gives them.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

struct BusServo {
    int id;
    int baud = 0;  // the only rate the servo hears; 0: every rate
};

// "1@57600,2@115200,3F": hexadecimal IDs 0..3F, each with the decimal rate
// it hears after "@" or none; nothing for a list that does not parse.
std::optional<std::vector<BusServo>> parseBusServos(std::string_view list);
