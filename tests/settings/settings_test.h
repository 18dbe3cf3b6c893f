// Shared pieces of the settings tests: a private temporary folder and whole
// file reads and writes.
#pragma once

#include "tests/support/temp_folder.h"

#include <string>
#include <string_view>

// Lines that the settings code adds to a new file end like the platform's
// text files.
#ifdef _WIN32
inline constexpr std::string_view kNewLine = "\r\n";
inline constexpr std::string_view kDevicePrefix = "\\\\.\\";
#else
inline constexpr std::string_view kNewLine = "\n";
inline constexpr std::string_view kDevicePrefix = "";
#endif

void writeFile(const std::string& path, std::string_view bytes);
std::string readFile(const std::string& path);
bool fileExists(const std::string& path);
// Names of the entries in folder, sorted.
std::string listFolder(const std::string& folder);
