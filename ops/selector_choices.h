// The entries of the windows' selectors, in the order they are shown.
#pragma once

#include "link/wire_format.h"

#include <array>

inline constexpr std::array<const char*, 6> kBaudChoices = {"14400", "19200", "38400", "57600", "115200", "230400"};
// IDs 0 to 3F, shown as "%X".
inline constexpr int kServoIdCount = kHighestId + 1;
inline constexpr int kDefaultServoId = kHighestId;
