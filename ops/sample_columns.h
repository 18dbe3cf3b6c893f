// How sampled registers are named where orvelin watch and the Qt window's
// chart write them: a CSV's first column, and each line's name.
#pragma once

#include <string>
#include <string_view>

// The CSV column of the seconds since sampling began.
inline constexpr std::string_view kTimeColumn = "time_s";

// A register's line: M_POS, or 01:M_POS when several servos are sampled.
std::string seriesName(int id, int row, bool severalServos);
