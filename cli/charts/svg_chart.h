// The chart of a whole watch run as one self-contained SVG document: axes
// with ticks and labels, one polyline per register (one per unbroken run of
// values where samples are missing), and a legend with each register's last
// value and its range. Pure: samples in, the document out.
#pragma once

#include "cli/charts/chart_data.h"

#include <string>

// Each register's group carries data-register="NAME". Samples that fall on
// one pixel column keep only the first, the lowest, the highest and the
// last, so a run of hours stays a file of modest size with its shape whole.
std::string svgChart(const ChartData& data, const std::string& title);
