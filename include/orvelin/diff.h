// Comparisons: the registers whose values differ between servos, or between
// a FLASH value file and servos.
#pragma once

#include "orvelin/registers.h"

#include <span>
#include <vector>

namespace orvelin {

// The rows among rows (in their order) where any of others holds another
// value than reference. A row reference has no value for is not compared: a
// file's values are compared only where it stages one. A servo's side is
// valuesOf(image, everyRow()) (writes.h), a file's its ValueFile::values.
std::vector<int> differingRows(const StagedValues& reference, std::span<const StagedValues> others,
                               const std::vector<int>& rows);

}  // namespace orvelin
