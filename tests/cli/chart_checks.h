// What the chart tests look at: an SVG file as a real XML parser reads it,
// and the braille cells of the terminal chart.
#pragma once

#include <string>
#include <vector>

// The output of svg_summary.py for this file: "True TITLE", then
// "NAME COUNT..." per register; empty when the parser refused the file.
std::vector<std::string> svgSummary(const std::string& path);

// Braille characters (U+2800 to U+28FF) in a text.
int brailleCount(const std::string& text);
