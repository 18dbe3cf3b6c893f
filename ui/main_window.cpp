// The main window's dialog procedure: where every message, button, menu
// entry and list notification leads.
#include "ui/resources/resource.h"
#include "ui/window.h"

#include <commctrl.h>

namespace {

HINSTANCE windowInstance(HWND hwnd)
{
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd, GWLP_HINSTANCE));
}

void runDialog(HWND hwnd, int templateId, DLGPROC proc)
{
    DialogBoxParamW(windowInstance(hwnd), MAKEINTRESOURCEW(templateId), hwnd, proc, 0);
}

// The list's pop-up opens wherever the click falls; its one item comes back
// as the command 40009.
void showListMenu(HWND hwnd)
{
    POINT cursor;
    GetCursorPos(&cursor);
    HMENU menu = LoadMenuW(windowInstance(hwnd), MAKEINTRESOURCEW(IDR_LIST_MENU));
    TrackPopupMenu(GetSubMenu(menu, 0), 0, cursor.x, cursor.y, 0, hwnd, nullptr);
    DestroyMenu(menu);
}

void listNotify(HWND hwnd, const NMHDR* header)
{
    if (header->hwndFrom != GetDlgItem(hwnd, IDC_PARAM_LIST))
        return;
    switch (header->code) {
    case NM_RCLICK:
        showListMenu(hwnd);
        break;
    case NM_DBLCLK:
        runDialog(hwnd, IDD_EDIT, EditDlgProc);
        break;
    }
}

// Routed by the command id alone; TRUE for the ids that close the window.
BOOL mainCommand(HWND hwnd, int id)
{
    switch (id) {
    case IDC_CONNECT:
        connectPort(hwnd);
        break;
    case IDC_DISCONNECT:
        disconnectPort(hwnd);
        break;
    case IDM_OPEN:
        loadFlashFile(hwnd);
        break;
    case IDM_SAVE:
        saveFlashFile(hwnd);
        break;
    case IDM_EXIT:
    case IDC_EXIT:
        DestroyWindow(hwnd);
        return TRUE;
    case IDM_OPTION:
        runDialog(hwnd, IDD_OPTION, OptionDlgProc);
        break;
    case IDC_SEND:
        sendToSerial(hwnd);
        break;
    case IDC_REFRESH:
    case IDM_READ_RAM:
        readToSerial(hwnd);
        break;
    case IDC_CLEAR:
    case IDM_CLEAR:
        clearFlash(hwnd);
        readToSerial(hwnd);
        break;
    case IDC_WRITE:
    case IDM_WRITE_FLASH:
        setFlash(hwnd);
        readToSerial(hwnd);
        break;
    case IDM_FLASH_INPUT:
        runDialog(hwnd, IDD_EDIT_FLASH, EditFLASHDlgProc);
        break;
    case IDM_UPDATE:
        chooseAndUpdateFirmware(hwnd);
        break;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK DlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        initDialog(hwnd);
        return TRUE;
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return TRUE;
    case WM_DESTROY:
        PostQuitMessage(0);
        return FALSE;
    case WM_NOTIFY:
        listNotify(hwnd, reinterpret_cast<const NMHDR*>(lParam));
        return FALSE;
    case WM_COMMAND:
        return mainCommand(hwnd, LOWORD(wParam));
    }
    return FALSE;
}

HWND createMainWindow(HINSTANCE instance)
{
    HWND hwnd = CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, DlgProc, 0);
    if (hwnd == nullptr)
        return nullptr;
    keepStagedValuesOf(hwnd);
    HANDLE icon = LoadImageW(instance, MAKEINTRESOURCEW(IDI_SERVO), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR);
    SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    return hwnd;
}
