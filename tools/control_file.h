// Follows a file that another process appends control lines to: how a
// process that cannot reach the servo object (a Windows test under Wine)
// steers it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class ControlFile {
public:
    explicit ControlFile(std::string path);
    // The complete lines appended since the last call; a line still being
    // written waits for its line feed.
    std::vector<std::string> newLines();

private:
    std::string path_;
    std::uintmax_t consumed_ = 0;
};
