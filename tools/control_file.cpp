#include "tools/control_file.h"

#include <filesystem>
#include <fstream>
#include <utility>

ControlFile::ControlFile(std::string path) : path_(std::move(path)) {}

std::vector<std::string> ControlFile::newLines()
{
    std::error_code error;
    std::uintmax_t size = std::filesystem::file_size(path_, error);
    if (error || size == consumed_)
        return {};
    // A shorter file is a new one: follow it from its start.
    if (size < consumed_)
        consumed_ = 0;
    std::ifstream in(path_, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(consumed_));
    std::string added(size - consumed_, '\0');
    in.read(added.data(), static_cast<std::streamsize>(added.size()));
    added.resize(static_cast<std::size_t>(in.gcount()));

    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = added.find('\n'); end != std::string::npos; end = added.find('\n', start)) {
        lines.push_back(added.substr(start, end - start));
        start = end + 1;
    }
    consumed_ += start;
    return lines;
}
