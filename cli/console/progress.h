// The upload's progress bar on a terminal: chunks, bytes, rate, time left.
#pragma once

#include <cstdio>

// True when stream is a terminal (where the bar can redraw itself).
bool isTerminal(FILE* stream);

// Starts the bar on out (none when out is null) for an upload of totalBytes.
void startProgress(FILE* out, long totalBytes);
// Told of every accepted chunk: redraws the bar; false, to stop the upload,
// once interrupted() says so.
bool progressChunk(long bytesSent, long bytesTotal);
// Stops the reports and ends the bar's line.
void finishProgress();
// The bytes the servo has accepted so far.
long progressBytes();
