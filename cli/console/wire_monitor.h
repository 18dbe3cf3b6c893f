// The packet monitor of --wire: every packet sent and every reply read,
// with timestamps, and once whether the port took low latency. It only
// shows the wire; what the servo answered is judged by the link.
#pragma once

#include <cstdio>
#include <string>

// Installs the link's wire observer when log is given (stderr for --wire).
void installWireTap(FILE* log);
// The port the run opens, as the line on its low latency names it.
void tellWireTapPort(const std::string& port);
