// The files orvelin reads (FLASH value files, update files), taken only when
// they are plain files it can read whole: a folder, a device or a pipe is
// refused before anything is sent, and nothing throws.
#pragma once

#include <cstdint>
#include <string>

struct InputFile {
    enum class Status { Read, CannotOpen, NotRegular, TooLarge };
    Status status = Status::CannotOpen;
    std::string bytes;
    std::uintmax_t size = 0;
    int error = 0;  // errno of a file that cannot be opened or read
};

// Reads path whole when it is a regular file of at most maxBytes.
InputFile readInputFile(const std::string& path, std::uintmax_t maxBytes);

// Reports CannotOpen and NotRegular (the callers word TooLarge their own way).
void reportInputFile(const std::string& path, const InputFile& file);
