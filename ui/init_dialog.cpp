// The main window's initialisation: the parameter list, then the port
// settings from servoconf.ini and the three selectors that show them.
#include "link/registers.h"
#include "ui/resources/resource.h"
#include "ops/selector_choices.h"
#include "ui/selectors.h"
#include "link/serial.h"
#include "settings/settings.h"
#include "ui/window.h"

#include <cstdio>

namespace {

void fillIdSelector(HWND hwnd)
{
    SendID = kDefaultServoId;
    for (int n = 0; n < kServoIdCount; ++n) {
        char text[4];
        std::snprintf(text, sizeof text, "%X", n);
        insertEntry(hwnd, IDC_ID, n, text);
    }
    selectEntry(hwnd, IDC_ID, SendID);
}

}  // namespace

int initDialog(HWND hwnd)
{
    buildParamList(hwnd);
    readINI();
    fillPortSelector(hwnd, IDC_PORT, comPortNameBuff);
    fillIdSelector(hwnd);
    fillBaudSelector(hwnd, IDC_BAUD, baudRate);
    return 0;
}
