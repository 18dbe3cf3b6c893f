#include "cli/charts/chart_axis.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

ValueAxis valueAxis(const ChartData& data, std::size_t first, int maxTicks)
{
    double lowest = std::numeric_limits<double>::max();
    double highest = std::numeric_limits<double>::lowest();
    for (const ChartSeries& series : data.series)
        for (std::size_t k = first; k < series.values.size(); ++k)
            if (series.values[k]) {
                lowest = std::min(lowest, static_cast<double>(*series.values[k]));
                highest = std::max(highest, static_cast<double>(*series.values[k]));
            }
    if (lowest > highest)
        return {0, 1, 1};
    // A steady value sits in the middle of a small range rather than on an edge.
    if (lowest == highest) {
        lowest = std::max(0.0, lowest - 1);
        highest += 1;
    }
    const int intervals = std::max(1, maxTicks - 1);
    double step = 1;
    while (std::ceil(highest / step) - std::floor(lowest / step) > intervals)
        step *= 2;
    double low = std::floor(lowest / step) * step;
    double high = std::ceil(highest / step) * step;
    if (high <= low)
        high = low + step;
    return {low, high, step};
}

double timeStep(double span, int maxTicks)
{
    const int intervals = std::max(1, maxTicks - 1);
    constexpr std::array kMantissas = {1.0, 2.0, 5.0};
    for (double power = 0.001;; power *= 10)
        for (double mantissa : kMantissas)
            if (span / (mantissa * power) <= intervals || power > 1e9)
                return mantissa * power;
}

double firstTimeTick(double t0, double step)
{
    return std::ceil(t0 / step - 1e-6) * step + 0.0;  // + 0.0: never "-0 s"
}

std::string timeLabel(double seconds, double step)
{
    int decimals = step >= 1 ? 0 : step >= 0.1 ? 1 : step >= 0.01 ? 2 : 3;
    char text[32];
    std::snprintf(text, sizeof text, "%.*f s", decimals, seconds);
    return text;
}

int valueDigits(const ChartData& data)
{
    int digits = 2;
    uint64_t highest = 0;
    for (const ChartSeries& series : data.series) {
        digits = std::max(digits, 2 * series.size);
        for (const auto& value : series.values)
            highest = std::max<uint64_t>(highest, value.value_or(0));
    }
    // The top tick can lie up to twice the highest value.
    for (uint64_t top = 2 * highest; top >> (4 * digits) != 0;)
        digits += 2;
    return digits;
}

std::string valueLabel(double value, int digits)
{
    char text[32];
    std::snprintf(text, sizeof text, "0x%0*llX", digits, static_cast<unsigned long long>(std::max(0.0, value)));
    return text;
}

std::string currentValueText(const ChartSeries& series)
{
    if (series.values.empty() || !series.values.back())
        return "----";
    return valueLabel(*series.values.back(), 2 * series.size);
}
