#include "settings/config_path.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include <mach-o/dyld.h>

std::string executablePath()
{
    std::uint32_t size = 0;
    _NSGetExecutablePath(nullptr, &size);
    std::vector<char> path(size + 1, '\0');
    if (_NSGetExecutablePath(path.data(), &size) != 0) {
        return {};
    }
    char resolved[PATH_MAX];
    if (::realpath(path.data(), resolved) == nullptr) {
        return {};
    }
    return resolved;
}
