// Connect and Disconnect. No port stays open: being connected is only which
// controls are enabled and which port and baud rate are in force.
#include "ui/resources/resource.h"
#include "link/serial.h"
#include "ui/window.h"

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

namespace {

constexpr int kBaudTextSize = 256;

void enable(HWND hwnd, int id, bool on)
{
    EnableWindow(GetDlgItem(hwnd, id), on ? TRUE : FALSE);
}

// The controls of the connected and the disconnected state; Send stays
// enabled once a Connect has succeeded.
void showConnected(HWND hwnd, bool connected)
{
    for (int id : {IDC_CONNECT, IDC_PORT, IDC_BAUD})
        enable(hwnd, id, !connected);
    for (int id : {IDC_DISCONNECT, IDC_CLEAR, IDC_REFRESH, IDC_WRITE})
        enable(hwnd, id, connected);
    enable(hwnd, IDC_SEND, true);
    EnableMenuItem(GetMenu(hwnd), IDM_UPDATE, MF_BYCOMMAND | (connected ? MF_ENABLED : MF_GRAYED));
}

}  // namespace

void connectPort(HWND hwnd)
{
    // The chosen port and rate are in force from here on, even when the
    // test below fails or the window is already connected.
    auto position = static_cast<int>(SendDlgItemMessageA(hwnd, IDC_PORT, CB_GETCURSEL, 0, 0));
    std::snprintf(comPortName, sizeof comPortName, "\\\\.\\COM%d", position + 1);
    char baud[kBaudTextSize];
    GetDlgItemTextA(hwnd, IDC_BAUD, baud, sizeof baud);
    baudRate = std::atoi(baud);

    if (!IsWindowEnabled(GetDlgItem(hwnd, IDC_CONNECT)))
        return;
    serial_handle port = serial_open(comPortName, baudRate, kPortTimeoutMs);
    if (port == SERIAL_INVALID) {
        showBox(hwnd, OperatorText::PortTestFailed, OperatorText::PortTestFailedTitle, MB_OK | MB_ICONERROR);
        return;
    }
    serial_close(port);
    showConnected(hwnd, true);
    readToSerial(hwnd);
}

void disconnectPort(HWND hwnd)
{
    if (!IsWindowEnabled(GetDlgItem(hwnd, IDC_DISCONNECT)))
        return;
    showConnected(hwnd, false);
}
