#include "link/serial_devices.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

#ifdef __APPLE__
constexpr const char* kNodePrefixes[] = {"cu."};
#else
constexpr const char* kNodePrefixes[] = {"ttyUSB", "ttyACM", "ttyS"};
#endif

std::optional<int> readNumber(const fs::path& file)
{
    std::ifstream in(file);
    int value = 0;
    if (in >> value)
        return value;
    return std::nullopt;
}

// ttyS nodes exist for every possible UART; sysfs tells which have one.
bool hasHardware(const std::string& name, const fs::path& sysRoot)
{
    if (!name.starts_with("ttyS"))
        return true;
    auto type = readNumber(sysRoot / "class/tty" / name / "type");
    return !type || *type != 0;
}

// ttyUSB2 before ttyUSB10.
bool naturalLess(const std::string& a, const std::string& b)
{
    auto split = [](const std::string& s) {
        std::size_t digits = s.size();
        while (digits > 0 && std::isdigit(static_cast<unsigned char>(s[digits - 1])))
            --digits;
        return std::pair{s.substr(0, digits), s.substr(digits)};
    };
    auto [aStem, aNum] = split(a);
    auto [bStem, bNum] = split(b);
    if (aStem != bStem)
        return aStem < bStem;
    if (aNum.size() != bNum.size())
        return aNum.size() < bNum.size();
    return aNum < bNum;
}

template <typename Accept>
std::vector<std::string> sortedNames(const fs::path& folder, Accept accept)
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        if (accept(name))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(), naturalLess);
    return names;
}

}  // namespace

std::optional<UsbLatency> usbLatency(const std::string& devicePath, const std::string& sysRoot)
{
    std::error_code error;
    fs::path device = fs::canonical(devicePath, error);
    if (error)
        return std::nullopt;
    fs::path file = fs::path(sysRoot) / "bus/usb-serial/devices" / device.filename() / "latency_timer";
    auto value = readNumber(file);
    if (!value)
        return std::nullopt;
    return UsbLatency{*value, file.string()};
}

std::vector<SerialDevice> listSerialDevices(const std::string& devRoot, const std::string& sysRoot)
{
    std::vector<SerialDevice> devices;
    fs::path byId = fs::path(devRoot) / "serial/by-id";
    for (const std::string& name : sortedNames(byId, [](const std::string&) { return true; })) {
        fs::path link = byId / name;
        std::error_code error;
        fs::path target = fs::canonical(link, error);
        devices.push_back({link.string(), error ? std::string() : target.string(), usbLatency(link.string(), sysRoot)});
    }
    // Grouped by kind in this order (USB adapters first), each naturally sorted.
    for (const char* prefix : kNodePrefixes) {
        auto hasPrefix = [prefix](const std::string& name) { return name.starts_with(prefix); };
        for (const std::string& name : sortedNames(devRoot, hasPrefix)) {
            if (!hasHardware(name, sysRoot))
                continue;
            fs::path node = fs::path(devRoot) / name;
            devices.push_back({node.string(), {}, usbLatency(node.string(), sysRoot)});
        }
    }
    return devices;
}
