// The upload's progress bar on a terminal: chunks, bytes, rate, time left.
#pragma once

#include <cstdio>

// True when stream is a terminal (where the bar can redraw itself).
bool isTerminal(FILE* stream);

// Draws the empty bar on out and has the link report every accepted chunk.
void startProgress(FILE* out, long totalBytes);
// Stops the reports and ends the bar's line.
void finishProgress();
