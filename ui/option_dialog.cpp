// The options dialog: the port and baud rate the program starts with, kept in
// servoconf.ini. It reads and writes only the file; the settings in force
// and the main window's selectors stay as they are until the next start.
#include "ui/resources/resource.h"
#include "ui/selectors.h"
#include "settings/settings.h"
#include "ui/window.h"

#include <cstdlib>

namespace {

constexpr int kValueSize = 16;

void fillBoxes(HWND hwnd)
{
    StartupSettings stored = readStartupSettings();
    fillPortSelector(hwnd, IDC_OPTION_PORT, stored.port.c_str());
    fillBaudSelector(hwnd, IDC_OPTION_BAUD, std::atoi(stored.baud.c_str()));
}

std::string boxText(HWND hwnd, int id)
{
    char text[kValueSize];
    GetDlgItemTextA(hwnd, id, text, kValueSize);
    return text;
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
            writeStartupSettings(boxText(hwnd, IDC_OPTION_PORT), boxText(hwnd, IDC_OPTION_BAUD));
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
