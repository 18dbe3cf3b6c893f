#include "cli/charts/svg_chart.h"

#include "cli/charts/chart_axis.h"
#include "cli/texts/messages.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string_view>
#include <vector>

namespace {

// The hues of the terminal chart's colours, dark enough for a white page.
constexpr std::array<std::string_view, 6> kColours = {"#0e8fb0", "#c08a00", "#b8379e",
                                                      "#2b9a3e", "#d03c2f", "#3050c8"};
constexpr double kWidth = 960;
constexpr double kLeft = 90;
constexpr double kRight = 24;
constexpr double kTop = 48;
constexpr double kPlotHeight = 400;
constexpr double kLegendTop = kTop + kPlotHeight + 66;
constexpr double kLegendRow = 22;
constexpr double kLegendEntry = 280;
constexpr double kPlotWidth = kWidth - kLeft - kRight;

struct Point {
    double x;
    double y;
};

std::string escaped(std::string_view text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

void addText(std::string& svg, double x, double y, std::string_view anchor, std::string_view content,
          std::string_view extra = {})
{
    svg += "<text x=\"" + number(x) + "\" y=\"" + number(y) + "\" text-anchor=\"" + std::string(anchor) + "\"";
    if (!extra.empty()) {
        svg += ' ';
        svg += extra;
    }
    svg += '>';
    svg += escaped(content);
    svg += "</text>\n";
}

void addLine(std::string& svg, Point a, Point b, std::string_view style)
{
    svg += "<line x1=\"" + number(a.x) + "\" y1=\"" + number(a.y) + "\" x2=\"" + number(b.x) + "\" y2=\""
         + number(b.y) + "\" " + std::string(style) + "/>\n";
}

// Of the points that share a pixel column, the first, lowest, highest and last.
std::vector<Point> thinned(const std::vector<Point>& run)
{
    std::vector<Point> out;
    for (std::size_t start = 0; start < run.size();) {
        std::size_t end = start + 1;
        while (end < run.size() && std::lround(run[end].x) == std::lround(run[start].x))
            ++end;
        std::array<std::size_t, 4> keep = {start, start, start, end - 1};
        for (std::size_t k = start; k < end; ++k) {
            if (run[k].y < run[keep[1]].y)
                keep[1] = k;
            if (run[k].y > run[keep[2]].y)
                keep[2] = k;
        }
        std::sort(keep.begin(), keep.end());
        for (std::size_t k = 0; k < keep.size(); ++k)
            if (k == 0 || keep[k] != keep[k - 1])
                out.push_back(run[keep[k]]);
        start = end;
    }
    return out;
}

void polyline(std::string& svg, const std::vector<Point>& run)
{
    if (run.empty())
        return;
    std::vector<Point> points = thinned(run);
    svg += "<polyline points=\"";
    for (std::size_t k = 0; k < points.size(); ++k) {
        if (k != 0)
            svg += ' ';
        svg += number(points[k].x);
        svg += ',';
        svg += number(points[k].y);
    }
    svg += "\"/>\n";
    // A lone value between two gaps would otherwise not show.
    if (points.size() == 1)
        svg += "<circle cx=\"" + number(points[0].x) + "\" cy=\"" + number(points[0].y) + "\" r=\"2\"/>\n";
}

std::string rangeText(const ChartSeries& series)
{
    std::optional<uint32_t> lowest;
    std::optional<uint32_t> highest;
    for (const auto& value : series.values)
        if (value) {
            lowest = std::min(lowest.value_or(*value), *value);
            highest = std::max(highest.value_or(*value), *value);
        }
    if (!lowest)
        return {};
    return "  (" + valueLabel(*lowest, 2 * series.size) + " .. " + valueLabel(*highest, 2 * series.size) + ")";
}

}  // namespace

std::string svgChart(const ChartData& data, const std::string& title)
{
    const int perRow = std::max(1, static_cast<int>(kPlotWidth / kLegendEntry));
    const int legendRows = (static_cast<int>(data.series.size()) + perRow - 1) / perRow;
    const double height = kLegendTop + legendRows * kLegendRow + 10;
    const double bottom = kTop + kPlotHeight;
    const std::size_t count = data.times.size();
    const double t0 = 0;  // the start of watching
    const double t1 = count > 0 ? data.times.back() : 0;
    const ValueAxis axis = valueAxis(data, 0, 9);
    const int digits = valueDigits(data);
    auto xOf = [&](double t) {
        return kLeft + (t1 > t0 ? std::clamp((t - t0) / (t1 - t0), 0.0, 1.0) * kPlotWidth : 0);
    };
    auto yOf = [&](double v) { return kTop + (axis.high - v) / (axis.high - axis.low) * kPlotHeight; };

    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + number(kWidth) + "\" height=\"" + number(height)
         + "\" viewBox=\"0 0 " + number(kWidth) + " " + number(height)
         + "\" font-family=\"sans-serif\" font-size=\"12\" xml:space=\"preserve\">\n";
    svg += "<title>" + escaped(title) + "</title>\n";
    svg += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
    addText(svg, kLeft, 28, "start", title, "font-size=\"15\"");

    svg += "<g class=\"y-axis\" fill=\"#333333\">\n";
    for (double tick = axis.low; tick <= axis.high + axis.step / 2; tick += axis.step) {
        addLine(svg, {kLeft, yOf(tick)}, {kLeft + kPlotWidth, yOf(tick)}, "stroke=\"#e4e4e4\"");
        addText(svg, kLeft - 8, yOf(tick) + 4, "end", valueLabel(tick, digits));
    }
    addText(svg, 18, kTop + kPlotHeight / 2, "middle", text(Msg::ChartValueAxis),
         "transform=\"rotate(-90 18 " + number(kTop + kPlotHeight / 2) + ")\"");
    svg += "</g>\n";

    svg += "<g class=\"x-axis\" fill=\"#333333\">\n";
    const double step = timeStep(t1 - t0, 11);
    for (double tick = firstTimeTick(t0, step); count > 0 && tick <= t1 + step * 1e-6; tick += step) {
        addLine(svg, {xOf(tick), kTop}, {xOf(tick), bottom}, "stroke=\"#e4e4e4\"");
        addLine(svg, {xOf(tick), bottom}, {xOf(tick), bottom + 5}, "stroke=\"#444444\"");
        addText(svg, xOf(tick), bottom + 19, "middle", timeLabel(tick, step));
    }
    addText(svg, kLeft + kPlotWidth / 2, bottom + 42, "middle", text(Msg::ChartTimeAxis));
    svg += "</g>\n";
    svg += "<rect x=\"" + number(kLeft) + "\" y=\"" + number(kTop) + "\" width=\"" + number(kPlotWidth)
         + "\" height=\"" + number(kPlotHeight) + "\" fill=\"none\" stroke=\"#444444\"/>\n";

    for (std::size_t s = 0; s < data.series.size(); ++s) {
        const ChartSeries& series = data.series[s];
        const std::string colour(kColours[s % kColours.size()]);
        svg += "<g class=\"series\" data-register=\"" + escaped(series.name) + "\" stroke=\"" + colour
             + "\" fill=\"" + colour + "\" stroke-width=\"1.8\" stroke-linejoin=\"round\">\n";
        svg += "<g fill=\"none\">\n";
        std::vector<Point> run;
        for (std::size_t k = 0; k < count && k < series.values.size(); ++k) {
            if (series.values[k]) {
                run.push_back({xOf(data.times[k]), yOf(*series.values[k])});
                continue;
            }
            polyline(svg, run);
            run.clear();
        }
        polyline(svg, run);
        svg += "</g>\n</g>\n";
    }

    svg += "<g class=\"legend\" fill=\"#222222\">\n";
    for (std::size_t s = 0; s < data.series.size(); ++s) {
        const ChartSeries& series = data.series[s];
        double x = kLeft + static_cast<double>(static_cast<int>(s) % perRow) * kLegendEntry;
        double y = kLegendTop + static_cast<double>(static_cast<int>(s) / perRow) * kLegendRow;
        addLine(svg, {x, y - 4}, {x + 24, y - 4},
             "stroke=\"" + std::string(kColours[s % kColours.size()]) + "\" stroke-width=\"3\"");
        addText(svg, x + 32, y, "start", series.name + "  " + currentValueText(series) + rangeText(series));
    }
    svg += "</g>\n</svg>\n";
    return svg;
}
