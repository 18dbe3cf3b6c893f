// The baud rate the host has set on a pseudo-terminal. Kept apart from
// pty_line.cpp: Linux's termios2 header cannot share a translation unit
// with <termios.h>.
#pragma once

// Read from the master, which reports the slave's settings; 0 when the
// system does not say.
int lineRate(int masterFd);
