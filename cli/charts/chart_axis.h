// Axis ranges and tick labels shared by the terminal chart and the SVG.
// Values are register values, so their ticks fall on powers of two and
// read well in hexadecimal; times are seconds, in steps of 1, 2 or 5.
#pragma once

#include "cli/charts/chart_data.h"

#include <cstddef>
#include <string>

struct ValueAxis {
    double low;
    double high;  // above low
    double step;  // ticks at every multiple of step from low to high
};

// A range holding every value of the samples from `first` on, widened to
// whole steps, with at most maxTicks ticks. Without values: 0 to 1.
ValueAxis valueAxis(const ChartData& data, std::size_t first, int maxTicks);

// A step of 1, 2 or 5 times a power of ten seconds giving at most maxTicks
// ticks over span.
double timeStep(double span, int maxTicks);

// The first time tick of a chart starting at t0: the first multiple of
// step from t0 on (a rounding error short of it counts).
double firstTimeTick(double t0, double step);

// "2.5 s", with as many decimals as the step needs.
std::string timeLabel(double seconds, double step);

// Hexadecimal digits of the widest register watched (2, 4 or 8), or more
// for values beyond it, so that every tick's label fits.
int valueDigits(const ChartData& data);

// "0x0800" with this many digits.
std::string valueLabel(double value, int digits);

// The window's text of a register value: 0x%02X, 0x%04X or 0x%08X by size,
// or "----" when it did not come.
std::string currentValueText(const ChartSeries& series);
