#include "settings_test.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

TempFolder::TempFolder()
{
    static std::atomic<unsigned> serial{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const auto folder = fs::temp_directory_path() /
                        ("orvelin-settings-" + std::to_string(stamp) + "-" + std::to_string(serial++));
    fs::create_directories(folder);
    path_ = folder.string();
}

TempFolder::~TempFolder()
{
    std::error_code error;
    fs::remove_all(path_, error);
}

std::string TempFolder::file(std::string_view name) const
{
    return (fs::path(path_) / name).string();
}

void writeFile(const std::string& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool fileExists(const std::string& path)
{
    std::error_code error;
    return fs::exists(path, error);
}

std::string listFolder(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::ranges::sort(names);
    std::string list;
    for (const auto& name : names) {
        list += name + "\n";
    }
    return list;
}
