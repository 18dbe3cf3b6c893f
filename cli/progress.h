// The upload's progress bar on a terminal: chunks, bytes, rate, time left.
#pragma once

#include <cstdio>

// True when stream is a terminal (where the bar can redraw itself).
bool isTerminal(FILE* stream);

// Has the link report every accepted chunk, drawn as a bar on out (none
// when out is null), and stop the upload once interrupted() says so.
void startProgress(FILE* out, long totalBytes);
// Stops the reports and ends the bar's line.
void finishProgress();
// The bytes the servo has accepted so far.
long progressBytes();
