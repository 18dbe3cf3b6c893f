// The "u" command: an update file sent in checksummed 16-byte chunks.
#pragma once

#include "link/protocol.h"
#include "link/serial.h"

// Longest path the upload command takes.
inline constexpr int kUploadPathMax = 255;

// line is the whole command line (first word, one separator, path);
// buf is the packet buffer of at least 21 bytes. Returns 0 or -1.
int uploadFirmware(serial_handle h, int id, const char* line, unsigned char* buf);

// Told after every accepted chunk, for progress displays and for front ends
// that let the operator stop an upload: false stops it there, with -1 and
// the last-error value as the last chunk left it. Null by default.
using upload_progress = bool (*)(long bytesSent, long bytesTotal);
void set_upload_progress(upload_progress progress);
