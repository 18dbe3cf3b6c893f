// The serial line to the servo: one fixed line setting, opened and closed
// around every command. Two backends share this header: serial_win32.cpp
// and serial_posix.cpp.
#pragma once

#include "link/port_settings.h"

#include <cstddef>
#include <cstdint>

#ifdef _WIN32
#include <windows.h>
using serial_handle = HANDLE;
#define SERIAL_INVALID INVALID_HANDLE_VALUE
#else
using serial_handle = intptr_t;
#define SERIAL_INVALID (static_cast<serial_handle>(-1))
#endif

// Every command opens the port with this time-out (ms).
inline constexpr int kPortTimeoutMs = 10;

// Opens path with the servo's line setting and the read time-outs
// (a read of N bytes ends after N bytes, timeout ms between two bytes, or
// timeout + timeout*N ms in all). Returns SERIAL_INVALID on any failure,
// with nothing left open.
serial_handle serial_open(const char* path, int baud, int timeout);
void serial_close(serial_handle h);

// Why the last serial_open on this thread failed, for front ends that tell
// people the reason; systemCode is errno or the Win32 error code.
enum class SerialFailure {
    None,
    NotDevicePath,     // no device path at all (COM3 on POSIX)
    NoSuchDevice,
    PermissionDenied,
    Busy,              // another program holds the port
    NotSerialPort,     // a file, a folder, a device that is no terminal
    SettingRefused,    // the driver refuses the baud rate or the line setting
    Other,
};
struct SerialError {
    SerialFailure failure;
    int systemCode;
};
SerialError serial_last_error();

// Whether the driver hands received bytes over at once instead of holding
// them for a USB adapter's latency timer: switched on by serial_open (and
// back off by serial_close), refused by this port's driver (a
// pseudo-terminal), or a request this system does not have.
enum class LowLatency { On, Refused, Unavailable };
LowLatency serial_low_latency(serial_handle h);

// Byte counts; 0 when nothing came in time, never an error.
int serial_write(serial_handle h, const void* data, int n);
int serial_read(serial_handle h, void* data, int n);
// Bytes received and not yet read, without waiting; 0 on any error.
int serial_pending(serial_handle h);
// Up to n of the bytes that have come, returning as soon as any are there,
// or 0 once waitUs microseconds have passed without one: a wait of the
// caller's own, beside the fixed time-outs of serial_read (the scan's short
// wait after each probe).
int serial_read_some(serial_handle h, void* data, int n, int waitUs);
// Another baud rate on a port held open, for a search over rates without
// closing it (closing drops DTR, which resets some boards). False when the
// driver refuses the rate; the line keeps the one it had.
bool serial_set_baud(serial_handle h, int baud);

// A packet monitor for front ends (orvelin --wire): sees every byte written
// and every read, after the fact, a read that timed out with n = 0. Null
// (the default) costs nothing.
enum class WireDirection { Sent, Received };
using wire_observer = void (*)(WireDirection direction, const unsigned char* data, int n);
void set_wire_observer(wire_observer observer);
void wire_notify(WireDirection direction, const void* data, int n);

// Sees every port the link opens, right after the open succeeded (orvelin
// --wire reports its low latency). Null (the default) costs nothing.
using open_observer = void (*)(serial_handle h);
void set_open_observer(open_observer observer);
void open_notify(serial_handle h);

// The one fatal case of the link. The front end installs how it is shown
// (message box, line on stderr); the process then ends with status 1.
using errexit_handler = void (*)(const char* text);
void set_errexit_handler(errexit_handler handler);
[[noreturn]] void errexit(const char* text);

// What a command does when the port in force cannot be opened twice in a
// row: end the program through errexit (the Win32 window and orvelin), or
// come back with -1 and kPortOpenFailed in the last-error value, for a
// front end that must stay (the Qt window).
enum class PortFailure { Exit, Report };
void set_port_failure(PortFailure mode);
PortFailure port_failure();
