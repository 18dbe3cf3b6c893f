// The live chart of orvelin watch --plot as text: braille dots, one line
// per register, the y range fitted to the values shown, time along x, and
// a legend with each register's current value. Pure: samples and a size in,
// the frame's lines out.
#pragma once

#include "cli/charts/chart_data.h"
#include "cli/console/terminal.h"

#include <string>
#include <vector>

// Exactly size.rows - 1 lines, so that the line end after the last line
// scrolls nothing away, each at most size.columns - 1 cells wide, since
// some terminals wrap on writing the last column. With colour, each
// register has its own (ANSI escapes); without, its own dash pattern.
// The newest samples that fit are shown, one per dot column at most.
std::vector<std::string> terminalChart(const ChartData& data, const std::string& title, TerminalSize size,
                                       bool colour);

// Cells a text takes on a terminal: East Asian wide characters count two.
int displayWidth(const std::string& text);
