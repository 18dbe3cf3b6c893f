// Pieces that the interpreter's commands share: where a line's operands
// begin, and the checksum of the FLASH write and the upload chunk.
#pragma once

// Just past the line's first word (the command word), blanks before it skipped.
const char* firstWordEnd(const char* line);

// The sum of the n bytes, negated, AND 0x7F: the bytes and the checksum add
// up to a multiple of 128.
unsigned char checksum7(const unsigned char* bytes, int n);
