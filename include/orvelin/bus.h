// A bus session: one serial port held open at one baud rate, and what the
// line has shown so far. Every operation of the library takes one; two
// sessions on two ports work at once, each on one thread at a time.
#pragma once

#include <memory>
#include <string>

namespace orvelin {

// Why a port could not be opened.
enum class PortError {
    None,
    NotDevicePath,     // no device path (COM3 on Linux or macOS)
    NoSuchDevice,
    PermissionDenied,  // on Linux: not in the dialout group
    Busy,              // another program holds the port
    NotSerialPort,     // a file, a folder, a device that is no terminal
    SettingRefused,    // the driver refuses the baud rate or the line setting
    Other,
};

class Bus {
public:
    // Opens port (a device path such as /dev/ttyUSB0 or a /dev/serial/by-id/
    // name; COM3 on Windows) at baud with the servo's line setting, exclusively,
    // trying twice. Whether it opened: isOpen(), and if not, openError().
    Bus(std::string port, int baud);
    ~Bus();
    Bus(Bus&& other) noexcept;
    Bus& operator=(Bus&& other) noexcept;
    Bus(const Bus&) = delete;
    Bus& operator=(const Bus&) = delete;

    bool isOpen() const;
    PortError openError() const;
    int openErrorCode() const;  // errno, or the Windows error code; 0 for none
    const std::string& port() const;
    int baud() const;
    // Another baud rate on the open port, without closing it (closing drops
    // DTR, which resets some boards). False when the driver refuses it.
    bool setBaud(int baud);
    // What the line has shown: an adapter that returns every byte it sends
    // (one-wire; its echo is skipped), and how long after crossing the wire
    // the bytes reach this program, in microseconds (-1 not yet seen).
    bool echoes() const;
    int latencyUs() const;
    // Closes the port; every operation on a closed bus fails as PortFailed.
    void close();

private:
    friend struct BusAccess;
    struct Line;
    std::unique_ptr<Line> line_;
};

}  // namespace orvelin
