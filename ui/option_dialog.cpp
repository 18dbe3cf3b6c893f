// The options dialog: the port and baud rate the program starts with, kept in
// servoconf.ini. It reads and writes only the file; the settings in force
// and the main window's selectors stay as they are until the next start.
#include "resources/resource.h"
#include "settings.h"
#include "window.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kValueSize = 16;
constexpr int kPortCount = 255;
const char* const kBaudRates[] = {"14400", "19200", "38400", "57600", "115200", "230400"};

void readStored(const char* key, const char* fallback, char (&value)[kValueSize])
{
    GetPrivateProfileStringA("SERIAL", key, "FAIL", value, kValueSize, inifilename);
    if (std::strcmp(value, "FAIL") == 0)
        std::strcpy(value, fallback);
}

void fillBoxes(HWND hwnd)
{
    char port[kValueSize];
    char baud[kValueSize];
    readStored("PORT", "COM1", port);
    readStored("BAUDRATE", "115200", baud);
    int baudValue = std::atoi(baud);

    for (int n = 1; n <= kPortCount; ++n) {
        char text[kValueSize];
        std::snprintf(text, sizeof text, "COM%d", n);
        SendDlgItemMessageA(hwnd, IDC_OPTION_PORT, CB_INSERTSTRING, n - 1, reinterpret_cast<LPARAM>(text));
        if (std::strcmp(text, port) == 0)
            SendDlgItemMessageA(hwnd, IDC_OPTION_PORT, CB_SETCURSEL, n - 1, 0);
    }
    int position = 0;
    for (const char* rate : kBaudRates) {
        SendDlgItemMessageA(hwnd, IDC_OPTION_BAUD, CB_INSERTSTRING, position, reinterpret_cast<LPARAM>(rate));
        if (std::atoi(rate) == baudValue)
            SendDlgItemMessageA(hwnd, IDC_OPTION_BAUD, CB_SETCURSEL, position, 0);
        ++position;
    }
}

void writeBox(HWND hwnd, int id, const char* key)
{
    char text[kValueSize];
    GetDlgItemTextA(hwnd, id, text, kValueSize);
    WritePrivateProfileStringA("SERIAL", key, text, inifilename);
}

}  // namespace

INT_PTR CALLBACK OptionDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        fillBoxes(hwnd);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            writeBox(hwnd, IDC_OPTION_PORT, "PORT");
            writeBox(hwnd, IDC_OPTION_BAUD, "BAUDRATE");
            EndDialog(hwnd, IDOK);
            return TRUE;
        case IDCANCEL:
            EndDialog(hwnd, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
