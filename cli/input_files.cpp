#include "cli/input_files.h"

#include "cli/texts/messages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

namespace {

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

}  // namespace

InputFile readInputFile(const std::string& path, std::uintmax_t maxBytes)
{
    InputFile file;
    std::error_code error;
    auto status = std::filesystem::status(path, error);
    if (error) {
        file.error = error.value();
        return file;
    }
    // A FIFO would wait for a writer for ever and a device never ends.
    if (!std::filesystem::is_regular_file(status)) {
        file.status = InputFile::Status::NotRegular;
        return file;
    }
    file.size = std::filesystem::file_size(path, error);
    if (!error && file.size > maxBytes) {
        file.status = InputFile::Status::TooLarge;
        return file;
    }
    errno = 0;
    std::unique_ptr<FILE, FileCloser> in(std::fopen(path.c_str(), "rb"));
    if (!in) {
        file.error = errno;
        return file;
    }
    char chunk[4096];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, in.get())) > 0;) {
        file.bytes.append(chunk, n);
        if (file.bytes.size() > maxBytes) {
            file.size = file.bytes.size();
            file.status = InputFile::Status::TooLarge;
            return file;
        }
    }
    if (std::ferror(in.get())) {
        file.error = errno != 0 ? errno : EIO;
        return file;
    }
    file.size = file.bytes.size();
    file.status = InputFile::Status::Read;
    return file;
}

void reportInputFile(const std::string& path, const InputFile& file)
{
    if (file.status == InputFile::Status::NotRegular)
        complain(Msg::FileNotRegular, path.c_str());
    else if (file.status == InputFile::Status::CannotOpen)
        complain(Msg::FileCannotOpen, path.c_str(), std::strerror(file.error));
}
