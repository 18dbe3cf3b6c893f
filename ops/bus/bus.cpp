#include "orvelin/bus.h"

#include "link/line_timing.h"
#include "link/protocol.h"
#include "link/serial_devices.h"
#include "ops/bus/bus_access.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace orvelin {

struct Bus::Line {
    std::string port;
    int baud = 0;
    serial_handle handle = SERIAL_INVALID;
    SerialError error{SerialFailure::None, 0};
    bool echoes = false;
    int latencyUs = -1;
};

namespace {

constexpr int kLowLatencyUs = 1000;  // the timer a driver's low latency runs at

// What the system says of the latency timer, until the line shows it: a
// driver that took low latency passes bytes on within a millisecond, and on
// Linux a USB adapter's timer is in sysfs.
int reportedLatencyUs([[maybe_unused]] serial_handle handle, [[maybe_unused]] const std::string& path)
{
#ifdef _WIN32
    return -1;
#else
    if (serial_low_latency(handle) == LowLatency::On)
        return kLowLatencyUs;
    std::optional<UsbLatency> timer = usbLatency(path);
    return timer ? timer->milliseconds * 1000 : -1;
#endif
}

}  // namespace

PortError portErrorFrom(SerialFailure failure)
{
    switch (failure) {
    case SerialFailure::None:
        return PortError::None;
    case SerialFailure::NotDevicePath:
        return PortError::NotDevicePath;
    case SerialFailure::NoSuchDevice:
        return PortError::NoSuchDevice;
    case SerialFailure::PermissionDenied:
        return PortError::PermissionDenied;
    case SerialFailure::Busy:
        return PortError::Busy;
    case SerialFailure::NotSerialPort:
        return PortError::NotSerialPort;
    case SerialFailure::SettingRefused:
        return PortError::SettingRefused;
    case SerialFailure::Other:
        break;
    }
    return PortError::Other;
}

Bus::Bus(std::string port, int baud) : line_(std::make_unique<Line>())
{
    line_->port = std::move(port);
    line_->baud = baud;
    // The Windows backend puts a COM name into the device namespace itself.
    const std::string& path = line_->port;
    line_->handle = serial_open(path.c_str(), baud, kPortTimeoutMs);
    if (line_->handle == SERIAL_INVALID)
        line_->handle = serial_open(path.c_str(), baud, kPortTimeoutMs);
    if (line_->handle == SERIAL_INVALID) {
        line_->error = serial_last_error();
        return;
    }
    line_->latencyUs = reportedLatencyUs(line_->handle, path);
}

Bus::~Bus()
{
    close();
}

Bus::Bus(Bus&& other) noexcept = default;

Bus& Bus::operator=(Bus&& other) noexcept
{
    if (this != &other) {
        close();
        line_ = std::move(other.line_);
    }
    return *this;
}

bool Bus::isOpen() const
{
    return line_ && line_->handle != SERIAL_INVALID;
}

PortError Bus::openError() const
{
    return line_ ? portErrorFrom(line_->error.failure) : PortError::Other;
}

int Bus::openErrorCode() const
{
    return line_ ? line_->error.systemCode : 0;
}

const std::string& Bus::port() const
{
    static const std::string none;
    return line_ ? line_->port : none;
}

int Bus::baud() const
{
    return line_ ? line_->baud : 0;
}

bool Bus::setBaud(int baud)
{
    if (!isOpen() || !serial_set_baud(line_->handle, baud))
        return false;
    line_->baud = baud;
    return true;
}

bool Bus::echoes() const
{
    return line_ && line_->echoes;
}

int Bus::latencyUs() const
{
    return line_ ? line_->latencyUs : -1;
}

void Bus::close()
{
    if (!isOpen())
        return;
    serial_close(line_->handle);
    line_->handle = SERIAL_INVALID;
}

serial_handle BusAccess::handle(const Bus& bus)
{
    return bus.line_ ? bus.line_->handle : SERIAL_INVALID;
}

int BusAccess::drain(Bus& bus)
{
    return drainLine(handle(bus), kDrainMax);
}

int BusAccess::drainQuiet(Bus& bus)
{
    return ::drainQuiet(handle(bus), quietAfterReplyUs(bus.baud(), bus.latencyUs()));
}

void BusAccess::sawEcho(Bus& bus, bool echoed)
{
    if (bus.line_)
        bus.line_->echoes = bus.line_->echoes || echoed;
}

void BusAccess::sawLatency(Bus& bus, int us)
{
    if (bus.line_)
        bus.line_->latencyUs = us >= 0 ? us : bus.line_->latencyUs;
}

}  // namespace orvelin
