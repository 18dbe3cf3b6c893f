// The "u" command: an update file read and sent through uploadImage, with
// the interpreter's trace and the failure kind in the last-error value.
#pragma once

#include "link/firmware_upload.h"
#include "link/serial.h"
#include "link/update_file.h"

// line is the whole command line (first word, one separator, path).
// Returns 0 or -1; -1 leaves the failure kind in the last-error value.
int uploadFirmware(serial_handle h, int id, const char* line);

// Told after every accepted chunk, for progress displays and for front ends
// that let the operator stop an upload: false stops it there, with -1 and
// the last-error value as the last chunk left it. Null by default.
using upload_progress = bool (*)(long bytesSent, long bytesTotal);
void set_upload_progress(upload_progress progress);
