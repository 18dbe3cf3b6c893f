#include "ui/selectors.h"

#include "ops/selector_choices.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kPortCount = 255;

}  // namespace

void insertEntry(HWND dialog, int box, int position, const char* text)
{
    SendDlgItemMessageA(dialog, box, CB_INSERTSTRING, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(text));
}

void selectEntry(HWND dialog, int box, int position)
{
    SendDlgItemMessageA(dialog, box, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

void fillPortSelector(HWND dialog, int box, const char* selectedPort)
{
    for (int n = 1; n <= kPortCount; ++n) {
        char text[16];
        std::snprintf(text, sizeof text, "COM%d", n);
        insertEntry(dialog, box, n - 1, text);
        if (std::strcmp(text, selectedPort) == 0)
            selectEntry(dialog, box, n - 1);
    }
}

void fillBaudSelector(HWND dialog, int box, int baud)
{
    int position = 0;
    for (const char* rate : kBaudChoices) {
        insertEntry(dialog, box, position, rate);
        if (std::atoi(rate) == baud)
            selectEntry(dialog, box, position);
        ++position;
    }
}
