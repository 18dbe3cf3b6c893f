// The RAM and FLASH value edit dialogs on the lowest selected row of the list.
#include "registers.h"
#include "resources/resource.h"
#include "window.h"

#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kTextSize = 1024;
// The address, a blank, "w" and a blank around a typed text of up to 1023 characters.
constexpr int kRamLineSize = 5 + kTextSize;
constexpr int kRamColumn = 2;
constexpr std::size_t kValuePrefix = 2;  // "0x" of every RAM cell

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// strtol with base 16 on Windows' 32-bit long: out-of-range values stick at
// the ends of the range, whatever follows the digits is ignored.
int32_t parseHexLong(const char* text)
{
    const char* p = text;
    while (std::isspace(static_cast<unsigned char>(*p)))
        ++p;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && hexDigit(p[2]) >= 0)
        p += 2;
    constexpr int64_t kLimit = int64_t{1} << 31;
    int64_t magnitude = 0;
    for (int d; (d = hexDigit(*p)) >= 0; ++p)
        magnitude = std::min(magnitude * 16 + d, kLimit);
    if (negative)
        return static_cast<int32_t>(-magnitude);
    return static_cast<int32_t>(std::min(magnitude, kLimit - 1));
}

uint32_t flashMask(int size)
{
    switch (size) {
    case 1:
        return 0x7F;
    case 2:
        return 0x3FFF;
    default:
        return 0x1FFFFF;
    }
}

void getRamCell(HWND mainWindow, int row, char* out, int outSize)
{
    out[0] = '\0';
    LVITEMA item = {};
    item.iSubItem = kRamColumn;
    item.pszText = out;
    item.cchTextMax = outSize;
    SendDlgItemMessageA(mainWindow, IDC_PARAM_LIST, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                        reinterpret_cast<LPARAM>(&item));
}

// Both dialogs open on the selected row's name and its RAM value without
// "0x"; without a selected row they end at once.
void initEditDialog(HWND dialog, int nameId, int valueId)
{
    HWND mainWindow = GetParent(dialog);
    int row = selectedParamRow(mainWindow);
    if (row < 0) {
        EndDialog(dialog, IDCANCEL);
        return;
    }
    SetDlgItemTextA(dialog, nameId, paramtbl[row].name);
    char ram[kTextSize];
    getRamCell(mainWindow, row, ram, kTextSize);
    SetDlgItemTextA(dialog, valueId, std::strlen(ram) >= kValuePrefix ? ram + kValuePrefix : "");
}

void writeRam(HWND dialog)
{
    HWND mainWindow = GetParent(dialog);
    int row = selectedParamRow(mainWindow);
    if (row < 0) {
        EndDialog(dialog, IDCANCEL);
        return;
    }
    char text[kTextSize];
    GetDlgItemTextA(dialog, IDC_EDIT_VALUE, text, kTextSize);
    char line[kRamLineSize];
    std::snprintf(line, sizeof line, "w %x %s", paramtbl[row].address, text);
    mainCmd(mainWindow, line);
    readToSerial(mainWindow);
    EndDialog(dialog, IDOK);
}

void stageFlashValue(HWND dialog)
{
    HWND mainWindow = GetParent(dialog);
    int row = selectedParamRow(mainWindow);
    if (row < 0) {
        EndDialog(dialog, IDCANCEL);
        return;
    }
    char text[kTextSize];
    GetDlgItemTextA(dialog, IDC_FLASH_VALUE, text, kTextSize);
    if (text[0] == '\0') {
        setFlashCell(mainWindow, row, nullptr);
    } else {
        int size = paramtbl[row].size;
        uint32_t value = static_cast<uint32_t>(parseHexLong(text)) & flashMask(size);
        char cell[16];
        formatValueText(cell, sizeof cell, value, size);
        setFlashCell(mainWindow, row, cell);
    }
    EndDialog(dialog, IDOK);
}

}  // namespace

INT_PTR CALLBACK EditDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        initEditDialog(hwnd, IDC_EDIT_NAME, IDC_EDIT_VALUE);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            writeRam(hwnd);
            return TRUE;
        case IDCANCEL:
            EndDialog(hwnd, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

INT_PTR CALLBACK EditFLASHDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        initEditDialog(hwnd, IDC_FLASH_NAME, IDC_FLASH_VALUE);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            stageFlashValue(hwnd);
            return TRUE;
        case IDCANCEL:
            EndDialog(hwnd, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
