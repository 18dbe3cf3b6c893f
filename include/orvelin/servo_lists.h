// Lists of servos: IDs as people write them, and an operation over a list,
// one servo after another, stopped at the first failure unless told to keep
// going.
#pragma once

#include "orvelin/outcome.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace orvelin {

// Hexadecimal IDs and ranges separated by commas ("1,2,5", "1-4,9", an
// optional 0x), each ID once, ascending; nothing for any other text.
std::optional<std::vector<int>> parseIdList(std::string_view text);

struct ServoIds {
    std::vector<int> ids;
    bool listed = false;  // a list, a range or all: results are told per ID
};

struct ServoRun {
    std::vector<Outcome> outcomes;  // one per servo tried, in order
    std::size_t untried = 0;        // servos left out after a failure or a stop

    bool ok() const;
    // The first failure, or an Ok outcome.
    Outcome firstFailure() const;
};

// part(id) for each ID in turn; told(outcome) after each; stop(), when
// given, is asked before each servo.
ServoRun forEachServo(const std::vector<int>& ids, bool keepGoing, const std::function<Outcome(int id)>& part,
                      const std::function<void(const Outcome&)>& told = {},
                      const std::function<bool()>& stop = {});

}  // namespace orvelin
