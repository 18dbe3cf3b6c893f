#pragma once

#include <cstddef>
#include <cstdint>

// Sets the bytes the "servo" answers with, consumed by the link's reads;
// clears the read limits.
void loopback_set_replies(const uint8_t* data, std::size_t size);
// Caps the reads that follow, one limit each in turn, as reads that time out
// part way: the k-th read returns at most limits[k] bytes. Reads past the
// list take whatever is left.
void loopback_set_read_limits(const uint8_t* limits, std::size_t count);
// How many reply bytes no read has taken yet.
std::size_t loopback_replies_left();
bool loopback_is_open();
