// Win32 backend: the COM port through the device namespace, the line setting
// in a DCB and the read time-outs in COMMTIMEOUTS.
#include "link/serial.h"
#include "link/serial_error.h"

#include <algorithm>
#include <cstdio>

namespace {

SerialFailure failureOf(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        return SerialFailure::NoSuchDevice;
    // Windows answers an open of a COM port that another program holds with
    // access denied.
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return SerialFailure::Busy;
    default:
        return SerialFailure::Other;
    }
}

// Records why, and keeps the thread's last-error value as the system left it.
HANDLE failed(HANDLE h, SerialFailure failure, DWORD error)
{
    if (h != INVALID_HANDLE_VALUE)
        CloseHandle(h);
    recordSerialError(failure, static_cast<int>(error));
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
}

}  // namespace

HANDLE CreateFile_port(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                       DWORD disposition, DWORD flags, HANDLE templ)
{
    // comPortName already carries the prefix; the repeated prefix names the same device.
    char name[1024];
    std::snprintf(name, sizeof name, "\\\\.\\%s", path);
    return CreateFileA(name, access, share, security, disposition, flags, templ);
}

serial_handle serial_open(const char* path, int baud, int timeout)
{
    HANDLE h = CreateFile_port(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                               FILE_FLAG_WRITE_THROUGH | FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        return failed(h, failureOf(error), error);
    }

    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(h, &dcb))
        return failed(h, SerialFailure::NotSerialPort, GetLastError());
    dcb.BaudRate = static_cast<DWORD>(baud);
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_HANDSHAKE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fTXContinueOnXoff = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fAbortOnError = FALSE;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.EofChar = 0;
    if (!SetCommState(h, &dcb))
        return failed(h, SerialFailure::SettingRefused, GetLastError());

    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = static_cast<DWORD>(timeout);
    timeouts.ReadTotalTimeoutMultiplier = static_cast<DWORD>(timeout);
    timeouts.ReadTotalTimeoutConstant = static_cast<DWORD>(timeout);
    timeouts.WriteTotalTimeoutMultiplier = 0;
    timeouts.WriteTotalTimeoutConstant = 0;
    if (!SetCommTimeouts(h, &timeouts))
        return failed(h, SerialFailure::Other, GetLastError());
    recordSerialError(SerialFailure::None);
    open_notify(h);
    return h;
}

void serial_close(serial_handle h)
{
    if (h == nullptr || h == INVALID_HANDLE_VALUE)
        return;
    CloseHandle(h);
}

// The adapter's latency timer is a setting of its Windows driver (Device
// Manager, the port's advanced settings); the communications API has no
// request for it.
LowLatency serial_low_latency(serial_handle)
{
    return LowLatency::Unavailable;
}

int serial_write(serial_handle h, const void* data, int n)
{
    DWORD written = 0;
    if (h == nullptr || h == INVALID_HANDLE_VALUE || n <= 0)
        return 0;
    WriteFile(h, data, static_cast<DWORD>(n), &written, nullptr);
    wire_notify(WireDirection::Sent, data, static_cast<int>(written));
    return static_cast<int>(written);
}

int serial_read(serial_handle h, void* data, int n)
{
    DWORD got = 0;
    if (h == nullptr || h == INVALID_HANDLE_VALUE || n <= 0)
        return 0;
    ReadFile(h, data, static_cast<DWORD>(n), &got, nullptr);
    wire_notify(WireDirection::Received, data, static_cast<int>(got));
    return static_cast<int>(got);
}

int serial_read_some(serial_handle h, void* data, int n, int waitUs)
{
    if (h == nullptr || h == INVALID_HANDLE_VALUE || n <= 0)
        return 0;
    // MAXDWORD interval and multiplier with a constant: ReadFile returns the
    // bytes already there at once, else the first that come, else nothing
    // after the constant (whole milliseconds, at least one).
    COMMTIMEOUTS before{};
    if (!GetCommTimeouts(h, &before))
        return 0;
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = MAXDWORD;
    timeouts.ReadTotalTimeoutConstant = static_cast<DWORD>(std::max(1, (waitUs + 999) / 1000));
    DWORD got = 0;
    if (SetCommTimeouts(h, &timeouts))
        ReadFile(h, data, static_cast<DWORD>(n), &got, nullptr);
    // Every other read keeps the time-outs serial_open set.
    SetCommTimeouts(h, &before);
    wire_notify(WireDirection::Received, data, static_cast<int>(got));
    return static_cast<int>(got);
}

bool serial_set_baud(serial_handle h, int baud)
{
    if (h == nullptr || h == INVALID_HANDLE_VALUE || baud <= 0)
        return false;
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(h, &dcb))
        return false;
    dcb.BaudRate = static_cast<DWORD>(baud);
    return SetCommState(h, &dcb) != 0;
}

int serial_pending(serial_handle h)
{
    if (h == nullptr || h == INVALID_HANDLE_VALUE)
        return 0;
    DWORD errors = 0;
    COMSTAT status{};
    return ClearCommError(h, &errors, &status) ? static_cast<int>(status.cbInQue) : 0;
}
