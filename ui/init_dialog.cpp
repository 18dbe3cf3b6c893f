// The main window's initialisation: the parameter list, then the port
// settings from servoconf.ini and the three selectors that show them.
#include "registers.h"
#include "resources/resource.h"
#include "serial.h"
#include "settings.h"
#include "window.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kPortCount = 255;
constexpr int kIdCount = 64;
constexpr const char* kBaudRates[] = {"14400", "19200", "38400", "57600", "115200", "230400"};

// The boxes carry CBS_SORT, but an insertion at an explicit position is not
// sorted: the entries stay in the order given.
void insertEntry(HWND hwnd, int box, int position, const char* text)
{
    SendDlgItemMessageA(hwnd, box, CB_INSERTSTRING, static_cast<WPARAM>(position),
                        reinterpret_cast<LPARAM>(text));
}

void selectEntry(HWND hwnd, int box, int position)
{
    SendDlgItemMessageA(hwnd, box, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

void fillPortSelector(HWND hwnd)
{
    for (int n = 1; n <= kPortCount; ++n) {
        char text[16];
        std::snprintf(text, sizeof text, "COM%d", n);
        insertEntry(hwnd, IDC_PORT, n - 1, text);
        if (std::strcmp(text, comPortNameBuff) == 0)
            selectEntry(hwnd, IDC_PORT, n - 1);
    }
}

void fillIdSelector(HWND hwnd)
{
    SendID = 0x3F;
    for (int n = 0; n < kIdCount; ++n) {
        char text[4];
        std::snprintf(text, sizeof text, "%X", n);
        insertEntry(hwnd, IDC_ID, n, text);
    }
    selectEntry(hwnd, IDC_ID, SendID);
}

void fillBaudSelector(HWND hwnd)
{
    int position = 0;
    for (const char* rate : kBaudRates) {
        insertEntry(hwnd, IDC_BAUD, position, rate);
        if (std::atoi(rate) == baudRate)
            selectEntry(hwnd, IDC_BAUD, position);
        ++position;
    }
}

}  // namespace

int initDialog(HWND hwnd)
{
    buildParamList(hwnd);
    readINI();
    fillPortSelector(hwnd);
    fillIdSelector(hwnd);
    fillBaudSelector(hwnd);
    return 0;
}
