// The samples of one watch run as both charts draw them: one time per
// sample and, per register, its decoded value, or nothing where it did not
// come.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct ChartSeries {
    std::string name;  // M_POS
    int size;          // register bytes, which set the width of the value text
    std::vector<std::optional<uint32_t>> values;
};

struct ChartData {
    std::vector<double> times;  // seconds since watching began, rising
    std::vector<ChartSeries> series;
};
