#include "tests/support/temp_folder.h"

#include <filesystem>
#include <random>
#include <stdexcept>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

int processId()
{
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<int>(getpid());
#endif
}

}  // namespace

TempFolder::TempFolder()
{
    static std::mt19937_64 rng{std::random_device{}()};
    const std::string stem = "orvelin-test-" + std::to_string(processId()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = fs::temp_directory_path() / (stem + std::to_string(rng()));
        // False when the name is taken: then another name, never a shared folder.
        if (fs::create_directory(candidate)) {
            path_ = candidate.string();
            return;
        }
    }
    throw std::runtime_error("no free temporary folder name under " + fs::temp_directory_path().string());
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string TempFolder::file(std::string_view name) const
{
    return (fs::path(path_) / name).string();
}
