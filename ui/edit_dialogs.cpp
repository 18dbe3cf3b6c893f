// The RAM and FLASH value edit dialogs on the lowest selected row of the list.
#include "ops/command_lines.h"
#include "ops/flash_cells.h"
#include "link/registers.h"
#include "ui/resources/resource.h"
#include "ui/window.h"

#include <commctrl.h>

#include <string>

namespace {

constexpr int kTextSize = 1024;
constexpr int kRamColumn = 2;

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
    SetDlgItemTextA(dialog, valueId, std::string(editableText(ram)).c_str());
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
    sendLine(windowSender(mainWindow), ramEditLine(row, text));
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
    std::string cell = flashEditText(text, row);
    setFlashCell(mainWindow, row, cell.empty() ? nullptr : cell.c_str());
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
