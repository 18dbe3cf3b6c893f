#include "settings/config_path.h"

#include <climits>

#include <unistd.h>

std::string executablePath()
{
    char path[PATH_MAX];
    const auto length = ::readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof path) {
        return {};
    }
    return std::string(path, static_cast<std::size_t>(length));
}
