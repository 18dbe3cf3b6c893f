#include "settings/config_path.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace {

constexpr const char* kFileName = "servoconf.ini";

std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash == 0 ? 1 : slash);
}

std::string joined(const std::string& folder, const char* name)
{
    return folder.ends_with('/') ? folder + name : folder + "/" + name;
}

}  // namespace

std::string userIniFile()
{
    std::string base;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    // The XDG rules ignore a relative XDG_CONFIG_HOME.
    if (xdg != nullptr && xdg[0] == '/') {
        base = xdg;
    } else if (home != nullptr && home[0] != '\0') {
        base = joined(home, ".config");
    } else {
        return {};
    }
    const auto folder = joined(base, "orvelin");
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return joined(folder, kFileName);
}

// The file sits beside the executable as on Windows; an installed program's
// folder is usually not writable, and then the user's configuration folder
// takes it. ORVELIN_CONFIG, when set, names the file itself, so tests and
// scripts can keep their settings apart from the user's.
bool placeIniFile(char* out, std::size_t size)
{
    if (size == 0) {
        return false;
    }
    out[0] = '\0';
    std::string path;
    const char* configured = std::getenv("ORVELIN_CONFIG");
    if (configured != nullptr && configured[0] != '\0') {
        path = configured;
    } else {
        const auto folder = folderOf(executablePath());
        const bool besideProgram = !folder.empty() && ::access(folder.c_str(), W_OK) == 0;
        path = besideProgram ? joined(folder, kFileName) : userIniFile();
    }
    if (path.empty() || path.size() >= size) {
        return false;
    }
    std::memcpy(out, path.c_str(), path.size() + 1);
    return true;
}
