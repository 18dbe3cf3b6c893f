#include "link/update_file.h"

#include "link/wire_format.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace {

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

UpdateFile refused(UpdateFileStatus status)
{
    return {status, {}};
}

}  // namespace

UpdateFile readUpdateFile(std::string_view path)
{
    if (path.size() > static_cast<std::size_t>(kUploadPathMax))
        return refused(UpdateFileStatus::PathTooLong);
    // The system sees a path only up to its first NUL: that would be another file.
    if (path.find('\0') != std::string_view::npos)
        return refused(UpdateFileStatus::Missing);
    const std::string name(path);
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(name, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return refused(UpdateFileStatus::Missing);
    if (error)
        return refused(UpdateFileStatus::Unreadable);
    if (status.type() != std::filesystem::file_type::regular)
        return refused(UpdateFileStatus::NotPlainFile);
    std::unique_ptr<FILE, FileCloser> file(std::fopen(name.c_str(), "rb"));
    if (!file)
        return refused(UpdateFileStatus::Unreadable);
    UpdateFile read;
    read.image.resize(static_cast<std::size_t>(kUploadMaxBytes) + 1);
    read.image.resize(std::fread(read.image.data(), 1, read.image.size(), file.get()));
    if (std::ferror(file.get()))
        return refused(UpdateFileStatus::Unreadable);
    return read;
}
