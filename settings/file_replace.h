// Whole-file replacement that never leaves a half-written file behind.
#pragma once

#include <string_view>

// Writes bytes to a new file in the same folder and renames it over path,
// so that path holds either its old or its new contents. Refuses a
// read-only file. Returns false, with path untouched, on any failure.
bool replaceFileContents(const char* path, std::string_view bytes);
