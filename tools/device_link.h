// A symbolic link to the servo's terminal under a fixed name, so that
// configurations and scripts need not learn /dev/pts/N; removed with the object.
#pragma once

#include <filesystem>
#include <string>

class DeviceLink {
public:
    DeviceLink() = default;
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;
    ~DeviceLink();

    // Replaces an earlier link of that name, never another kind of file.
    // Returns an error message, empty on success.
    std::string create(const std::filesystem::path& link, const std::filesystem::path& target);
    // Removes the link now; a later destruction does nothing more.
    void remove();

private:
    std::filesystem::path link_;
};
