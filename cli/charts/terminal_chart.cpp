#include "cli/charts/terminal_chart.h"

#include "cli/charts/chart_axis.h"
#include "cli/texts/messages.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace {

// ANSI foreground colours, in the order the registers take them.
constexpr std::array kColours = {36, 33, 35, 32, 31, 34};
// Without colour: which dots along a register's line are drawn, repeating.
constexpr std::array<std::string_view, 4> kPatterns = {"1", "1110", "10", "111010"};
// Braille bit of the dot at (column, row) of a cell's 2 x 4 dots.
constexpr uint8_t kDotBits[4][2] = {{0x01, 0x08}, {0x02, 0x10}, {0x04, 0x20}, {0x40, 0x80}};
constexpr int kMarkerDots = 6;
constexpr std::string_view kLegendGap = "   ";

struct Style {
    bool colour;
    int colourOf(std::size_t series) const { return kColours[series % kColours.size()]; }
    std::string_view patternOf(std::size_t series) const
    {
        return colour ? kPatterns[0] : kPatterns[series % kPatterns.size()];
    }
};

void appendBraille(std::string& out, uint8_t bits)
{
    const unsigned point = 0x2800u + bits;
    out += static_cast<char>(0xE0 | (point >> 12));
    out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (point & 0x3F));
}

void appendColour(std::string& out, int colour)
{
    out += "\x1b[";
    out += colour == 0 ? "0" : std::to_string(colour);
    out += 'm';
}

// Dots in cells; each cell takes the colour of the register that drew in it last.
class Canvas {
public:
    Canvas(int columns, int rows)
        : columns_(columns), rows_(rows), bits_(static_cast<std::size_t>(columns * rows)),
          owner_(bits_.size(), -1)
    {
    }
    int dotColumns() const { return columns_ * 2; }
    int dotRows() const { return rows_ * 4; }

    void dot(int x, int y, int series)
    {
        if (x < 0 || y < 0 || x >= dotColumns() || y >= dotRows())
            return;
        std::size_t cell = static_cast<std::size_t>((y / 4) * columns_ + x / 2);
        bits_[cell] |= kDotBits[y % 4][x % 2];
        owner_[cell] = series;
    }

    // Bresenham, with the register's dash pattern carried along its line.
    void line(int x0, int y0, int x1, int y1, int series, std::string_view pattern, std::size_t& step)
    {
        const int dx = std::abs(x1 - x0);
        const int dy = -std::abs(y1 - y0);
        const int sx = x0 < x1 ? 1 : -1;
        const int sy = y0 < y1 ? 1 : -1;
        for (int error = dx + dy;;) {
            if (pattern[step++ % pattern.size()] == '1')
                dot(x0, y0, series);
            if (x0 == x1 && y0 == y1)
                return;
            const int doubled = 2 * error;
            if (doubled >= dy) {
                error += dy;
                x0 += sx;
            }
            if (doubled <= dx) {
                error += dx;
                y0 += sy;
            }
        }
    }

    std::string row(int r, const Style& style) const
    {
        std::string out;
        int current = 0;
        for (int c = 0; c < columns_; ++c) {
            std::size_t cell = static_cast<std::size_t>(r * columns_ + c);
            if (bits_[cell] == 0) {
                out += ' ';
                continue;
            }
            if (style.colour && style.colourOf(static_cast<std::size_t>(owner_[cell])) != current)
                appendColour(out, current = style.colourOf(static_cast<std::size_t>(owner_[cell])));
            appendBraille(out, bits_[cell]);
        }
        if (current != 0)
            appendColour(out, 0);
        return out;
    }

private:
    int columns_;
    int rows_;
    std::vector<uint8_t> bits_;
    std::vector<int> owner_;
};

// Cuts a text to a number of cells, never inside a character.
std::string fitted(const std::string& text, int cells)
{
    std::string out;
    int used = 0;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t length = 1;
        unsigned char lead = static_cast<unsigned char>(text[at]);
        if (lead >= 0xF0)
            length = 4;
        else if (lead >= 0xE0)
            length = 3;
        else if (lead >= 0xC0)
            length = 2;
        std::string character = text.substr(at, length);
        int width = displayWidth(character);
        if (used + width > cells)
            break;
        out += character;
        used += width;
        at += length;
    }
    return out;
}

std::string legendMarker(std::size_t series, const Style& style)
{
    std::string out;
    if (style.colour)
        appendColour(out, style.colourOf(series));
    std::string_view pattern = style.patternOf(series);
    for (int cell = 0; cell < kMarkerDots / 2; ++cell) {
        uint8_t bits = 0;
        for (int x = 0; x < 2; ++x)
            if (pattern[static_cast<std::size_t>(cell * 2 + x) % pattern.size()] == '1')
                bits |= kDotBits[1][x];
        appendBraille(out, bits);
    }
    if (style.colour)
        appendColour(out, 0);
    return out;
}

// Entries side by side, wrapped to the width: marker, name, current value.
std::vector<std::string> legendLines(const ChartData& data, int width, const Style& style)
{
    std::vector<std::string> lines;
    std::string line;
    int used = 0;
    for (std::size_t k = 0; k < data.series.size(); ++k) {
        std::string plain = data.series[k].name + " " + currentValueText(data.series[k]);
        int cells = kMarkerDots / 2 + 1 + static_cast<int>(plain.size());
        int gap = used == 0 ? 0 : static_cast<int>(kLegendGap.size());
        if (used > 0 && used + gap + cells > width) {
            lines.push_back(line);
            line.clear();
            used = 0;
            gap = 0;
        }
        line += std::string(kLegendGap.substr(0, static_cast<std::size_t>(gap)));
        line += legendMarker(k, style) + " " + fitted(plain, width - kMarkerDots / 2 - 1);
        used += gap + cells;
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

std::vector<std::string> tooSmall(TerminalSize size)
{
    std::vector<std::string> lines(static_cast<std::size_t>(std::max(1, size.rows - 1)));
    lines[0] = fitted(text(Msg::ChartTooSmall), std::max(0, size.columns - 1));
    return lines;
}

}  // namespace

int displayWidth(const std::string& text)
{
    int width = 0;
    for (std::size_t at = 0; at < text.size();) {
        unsigned char lead = static_cast<unsigned char>(text[at]);
        unsigned point = lead;
        std::size_t length = 1;
        if (lead >= 0xF0) {
            point = lead & 0x07u;
            length = 4;
        } else if (lead >= 0xE0) {
            point = lead & 0x0Fu;
            length = 3;
        } else if (lead >= 0xC0) {
            point = lead & 0x1Fu;
            length = 2;
        }
        for (std::size_t k = 1; k < length && at + k < text.size(); ++k)
            point = (point << 6) | (static_cast<unsigned char>(text[at + k]) & 0x3Fu);
        at += length;
        if ((lead & 0xC0) == 0x80)
            continue;
        bool wide = (point >= 0x1100 && point <= 0x115F) || (point >= 0x2E80 && point <= 0xA4CF)
                 || (point >= 0xAC00 && point <= 0xD7A3) || (point >= 0xF900 && point <= 0xFAFF)
                 || (point >= 0xFE30 && point <= 0xFE4F) || (point >= 0xFF00 && point <= 0xFF60)
                 || (point >= 0xFFE0 && point <= 0xFFE6) || point >= 0x20000;
        width += wide ? 2 : 1;
    }
    return width;
}

std::vector<std::string> terminalChart(const ChartData& data, const std::string& title, TerminalSize size,
                                       bool colour)
{
    const Style style{colour};
    const int width = size.columns - 1;
    const int lineCount = size.rows - 1;
    if (width < 1 || lineCount < 1)
        return tooSmall(size);
    std::vector<std::string> legend = legendLines(data, width, style);
    const int digits = valueDigits(data);
    const int labelWidth = 2 + digits;
    const int plotColumns = width - labelWidth - 1;
    const int plotRows = lineCount - 1 - static_cast<int>(legend.size()) - 2;
    if (plotColumns < 8 || plotRows < 2)
        return tooSmall(size);

    Canvas canvas(plotColumns, plotRows);
    const std::size_t count = data.times.size();
    const std::size_t first = count - std::min(count, static_cast<std::size_t>(canvas.dotColumns()));
    // Time runs from the start of watching while the whole run fits.
    const double t0 = first > 0 ? data.times[first] : 0;
    const double t1 = count > 0 ? data.times.back() : 0;
    const ValueAxis axis = valueAxis(data, first, plotRows / 2 + 1);
    auto xOf = [&](double t) {
        double along = t1 > t0 ? std::clamp((t - t0) / (t1 - t0), 0.0, 1.0) : 0;
        return static_cast<int>(std::lround(along * (canvas.dotColumns() - 1)));
    };
    auto yOf = [&](double v) {
        return static_cast<int>(std::lround((axis.high - v) / (axis.high - axis.low) * (canvas.dotRows() - 1)));
    };

    for (std::size_t s = 0; s < data.series.size(); ++s) {
        const ChartSeries& series = data.series[s];
        std::size_t step = 0;
        std::optional<std::pair<int, int>> last;
        for (std::size_t k = first; k < count && k < series.values.size(); ++k) {
            if (!series.values[k]) {
                last.reset();
                continue;
            }
            std::pair<int, int> point{xOf(data.times[k]), yOf(*series.values[k])};
            std::pair<int, int> from = last.value_or(point);
            canvas.line(from.first, from.second, point.first, point.second, static_cast<int>(s),
                        style.patternOf(s), step);
            last = point;
        }
    }

    std::vector<std::string> labels(static_cast<std::size_t>(plotRows));
    for (double tick = axis.low; tick <= axis.high + axis.step / 2; tick += axis.step)
        labels[static_cast<std::size_t>(yOf(tick) / 4)] = valueLabel(tick, digits);

    std::vector<std::string> lines;
    lines.push_back(fitted(title, width));
    lines.insert(lines.end(), legend.begin(), legend.end());
    for (int r = 0; r < plotRows; ++r) {
        const std::string& label = labels[static_cast<std::size_t>(r)];
        lines.push_back(std::string(static_cast<std::size_t>(labelWidth) - label.size(), ' ') + label
                        + (label.empty() ? '|' : '+') + canvas.row(r, style));
    }

    std::string axisLine = std::string(static_cast<std::size_t>(labelWidth), ' ') + '+'
                         + std::string(static_cast<std::size_t>(plotColumns), '-');
    std::string timeLine(static_cast<std::size_t>(width), ' ');
    const double step = timeStep(t1 - t0, plotColumns / 10 + 1);
    std::size_t freeFrom = 0;
    for (double tick = firstTimeTick(t0, step); count > 0 && tick <= t1 + step * 1e-6; tick += step) {
        std::size_t column = static_cast<std::size_t>(labelWidth + 1 + xOf(tick) / 2);
        axisLine[column] = '+';
        std::string label = timeLabel(tick, step);
        std::size_t start = column >= label.size() / 2 ? column - label.size() / 2 : 0;
        start = std::min(start, timeLine.size() - std::min(timeLine.size(), label.size()));
        if (start < freeFrom || start + label.size() > timeLine.size())
            continue;
        timeLine.replace(start, label.size(), label);
        freeFrom = start + label.size() + 1;
    }
    while (!timeLine.empty() && timeLine.back() == ' ')
        timeLine.pop_back();
    lines.push_back(axisLine);
    lines.push_back(timeLine);
    return lines;
}
