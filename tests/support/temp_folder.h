// A folder of the test's own under the system's temporary folder, removed
// with all it holds at the end of the test. Its name carries the process ID
// and a random number and is created only if no such folder exists, so tests
// running in parallel processes (ctest -j) never share a file, and Wine's
// cache of INI files never serves one test's file to another.
#pragma once

#include <string>
#include <string_view>

class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    const std::string& path() const { return path_; }
    // The path of name inside the folder.
    std::string file(std::string_view name) const;

private:
    std::string path_;
};
