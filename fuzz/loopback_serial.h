#pragma once

#include <cstddef>
#include <cstdint>

// The bytes the "servo" answers with, consumed by the link's reads.
void loopback_set_replies(const uint8_t* data, std::size_t size);
bool loopback_is_open();
