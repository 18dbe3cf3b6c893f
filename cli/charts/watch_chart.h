// What orvelin watch shows besides its lines: the live chart on the
// terminal (--plot) and the SVG of the whole run, written when watching
// ends (--svg FILE). Fed one sample at a time.
#pragma once

#include "cli/charts/chart_data.h"
#include "cli/console/terminal.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct WatchChartSettings {
    std::vector<ChartSeries> series;  // named and sized, without values yet
    std::string title;
    bool plot = false;
    std::string svgPath;  // empty: no SVG
};

// The refusals that come before anything is sent: --plot without a
// terminal on stdout, an SVG path in a folder that does not exist or that
// names a folder. Each is reported.
bool chartSettingsUsable(bool plot, const std::string& svgPath);

class WatchChart {
public:
    explicit WatchChart(WatchChartSettings settings);
    ~WatchChart();
    WatchChart(const WatchChart&) = delete;
    WatchChart& operator=(const WatchChart&) = delete;

    // One sample: a value per series, nothing where it did not come.
    void add(double seconds, const std::vector<std::optional<uint32_t>>& values);
    // Between samples: redraws when the terminal has changed size.
    void idle();
    // Gives the terminal its cursor back, below the last frame, and writes the
    // SVG. False when the SVG could not be written (reported). It also runs
    // at exit, for a run the link's fatal path ends (a port that went away),
    // so that the samples taken so far are kept.
    bool finish();

private:
    void draw();
    std::string titleLine() const;

    WatchChartSettings settings_;
    ChartData data_;
    bool colour_ = true;
    bool drawn_ = false;
    bool finished_ = false;
    std::optional<TerminalSize> drawnSize_;
};
