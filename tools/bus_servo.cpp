#include "tools/bus_servo.h"

#include "link/wire_format.h"
#include "tools/text_numbers.h"

#include <algorithm>

std::optional<std::vector<BusServo>> parseBusServos(std::string_view list)
{
    std::vector<BusServo> servos;
    for (std::size_t at = 0; at <= list.size();) {
        std::size_t comma = std::min(list.find(',', at), list.size());
        std::string_view item = list.substr(at, comma - at);
        std::size_t sign = item.find('@');
        bool rated = sign != std::string_view::npos;
        std::optional<int> id = parseNumber(item.substr(0, sign), 16);
        std::optional<int> baud = rated ? parseNumber(item.substr(sign + 1), 10) : 0;
        if (!id || *id < 0 || *id > kHighestId || !baud || (rated && *baud <= 0))
            return std::nullopt;
        servos.push_back({*id, *baud});
        at = comma + 1;
    }
    return servos;
}
