#include "settings/backup_files.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <regex>
#include <system_error>
#include <tuple>

namespace {

// "20261209-143005": in names, it sorts as the time does.
std::string stampOf(std::chrono::system_clock::time_point when)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    return stamp;
}

struct Listed {
    BackupFile file;
    std::string stamp;  // date and time digits
    int copy;           // 1, or the -N of a later one in the same second
};

}  // namespace

std::filesystem::path newBackupPath(const std::filesystem::path& folder, int id,
                                    std::chrono::system_clock::time_point when)
{
    char stem[64];
    std::snprintf(stem, sizeof stem, "id%02X-%s", static_cast<unsigned>(id), stampOf(when).c_str());
    std::filesystem::path path = folder / (std::string(stem) + ".txt");
    std::error_code error;
    for (int copy = 2; std::filesystem::exists(path, error); ++copy)
        path = folder / (std::string(stem) + "-" + std::to_string(copy) + ".txt");
    return path;
}

std::vector<BackupFile> listBackups(const std::filesystem::path& folder)
{
    static const std::regex kName(R"(id([0-9A-F]{2})-(\d{4})(\d{2})(\d{2})-(\d{2})(\d{2})(\d{2})(?:-(\d{1,6}))?\.txt)");
    std::vector<Listed> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        std::smatch part;
        const std::string name = entry.path().filename().string();
        if (!entry.is_regular_file(error) || !std::regex_match(name, part, kName))
            continue;
        BackupFile file{entry.path(), std::stoi(part[1], nullptr, 16),
                        part.str(2) + "-" + part.str(3) + "-" + part.str(4) + " " + part.str(5) + ":" + part.str(6) +
                            ":" + part.str(7)};
        std::string stamp = part.str(2) + part.str(3) + part.str(4) + part.str(5) + part.str(6) + part.str(7);
        found.push_back({std::move(file), std::move(stamp), part[8].matched ? std::stoi(part[8]) : 1});
    }
    // Newest first; backups of one second (a list of servos) by ID.
    std::ranges::sort(found, [](const Listed& a, const Listed& b) {
        return std::tie(b.stamp, b.copy, a.file.id) < std::tie(a.stamp, a.copy, b.file.id);
    });
    std::vector<BackupFile> files;
    for (Listed& listed : found)
        files.push_back(std::move(listed.file));
    return files;
}
