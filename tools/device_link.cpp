#include "tools/device_link.h"

#include <system_error>

namespace fs = std::filesystem;

DeviceLink::~DeviceLink()
{
    remove();
}

void DeviceLink::remove()
{
    std::error_code ignored;
    if (!link_.empty())
        fs::remove(link_, ignored);
    link_.clear();
}

std::string DeviceLink::create(const fs::path& link, const fs::path& target)
{
    std::error_code error;
    fs::file_status existing = fs::symlink_status(link, error);
    if (fs::exists(existing) && !fs::is_symlink(existing))
        return link.string() + " exists and is not a symbolic link";
    if (fs::is_symlink(existing))
        fs::remove(link, error);
    fs::create_symlink(target, link, error);
    if (error)
        return link.string() + ": " + error.message();
    link_ = link;
    return {};
}
