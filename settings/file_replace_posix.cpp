#include "settings/file_replace.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor()
    {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    // Reports the close itself: on some file systems a failed write shows
    // only there.
    bool close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const auto n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// A link is followed so that the file it names is edited, not replaced by
// a plain file.
std::string targetOf(const char* path)
{
    char resolved[PATH_MAX];
    struct stat info {};
    if (::lstat(path, &info) == 0 && S_ISLNK(info.st_mode) && ::realpath(path, resolved) != nullptr) {
        return resolved;
    }
    return path;
}

}  // namespace

bool replaceFileContents(const char* path, std::string_view bytes)
{
    const auto target = targetOf(path);
    mode_t mode = 0666;
    bool exists = false;
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode) || ::access(target.c_str(), W_OK) != 0) {
            return false;
        }
        mode = info.st_mode & 07777;
        exists = true;
    } else if (errno != ENOENT) {
        return false;
    }

    static std::atomic<unsigned> serial{0};
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = target + "." + std::to_string(::getpid()) + "." + std::to_string(serial++) + ".tmp";
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0 && errno != EEXIST) {
            return false;
        }
    }
    if (fd < 0) {
        return false;
    }
    Descriptor file(fd);
    // The umask may have narrowed the mode of an existing file's copy.
    const bool written = (!exists || ::fchmod(file.get(), mode) == 0) && writeAll(file.get(), bytes) &&
                         ::fsync(file.get()) == 0 && file.close();
    if (!written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}
