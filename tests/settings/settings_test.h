// Shared pieces of the settings tests: a private temporary folder and whole
// file reads and writes.
#pragma once

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

// A fresh folder under the system's temporary folder, removed with all it
// holds at the end of the test. Every folder has its own name, so Wine's
// cache of INI files never serves one test's file to another.
class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    const std::string& path() const { return path_; }
    std::string file(std::string_view name) const;

private:
    std::string path_;
};

void writeFile(const std::string& path, std::string_view bytes);
std::string readFile(const std::string& path);
bool fileExists(const std::string& path);
// Names of the entries in folder, sorted.
std::string listFolder(const std::string& folder);
