// Serial devices on this machine and, for USB adapters, their latency timer.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct UsbLatency {
    int milliseconds;
    std::string file;  // where it is set (sysfs)
};

struct SerialDevice {
    std::string path;    // /dev/serial/by-id/..., /dev/ttyUSB0, COM3
    std::string target;  // the device a by-id name stands for; empty otherwise
    std::optional<UsbLatency> latency;
};

// A latency timer above this makes every reply wait needlessly.
inline constexpr int kLatencyHintAbove = 1;

#ifdef _WIN32
// The COM ports Windows knows of.
std::vector<SerialDevice> listSerialDevices();
#else
// Stable by-id names first, then the kernel's device nodes that exist.
std::vector<SerialDevice> listSerialDevices(const std::string& devRoot = "/dev", const std::string& sysRoot = "/sys");
// The latency timer of the USB adapter behind a device path (links followed).
std::optional<UsbLatency> usbLatency(const std::string& devicePath, const std::string& sysRoot = "/sys");
#endif
