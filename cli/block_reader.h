// Direct reads of register blocks, for the subcommands that need many of
// them quickly (scan, watch): the read-all command's packet, one block at a
// time, on a port held open for the whole series.
#pragma once

#include "serial.h"

inline constexpr int kBlockBytes = 16;

// Opens the port with the settings in force as the interpreter does: a
// second try, then the link's fatal "serial_open".
serial_handle openPortOrExit();

// Sends the read-block packet for the block at blockAddress (a multiple of
// 16) and reads the 16-byte reply into out. Returns the bytes that came.
int readBlock(serial_handle h, int id, int blockAddress, unsigned char* out);

// As readBlock, but waits only for the first `first` bytes before giving up
// on a silent ID, then collects the rest of the reply.
int probeBlock(serial_handle h, int id, int blockAddress, int first, unsigned char* out);
