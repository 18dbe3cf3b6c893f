#include "tests/ui/window_harness.h"

#include "link/registers.h"
#include "link/term.h"
#include "ui/window.h"

#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int kListId = 1012;
constexpr int kTextSize = 1024;

}  // namespace

std::string exeFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

MainWindowTest::MainWindowTest() : dialogs(GetCurrentThreadId()) {}

void MainWindowTest::SetUp()
{
    ASSERT_TRUE(servo.attach()) << "no virtual servo: run the test through tests/wine/run.sh";
    // Every test is a fresh start of the program: the globals as they are
    // before the window exists.
    std::memset(param, 0, sizeof param);
    bOperands = {1, 0, 0x800, 0};
    fileName[0] = '\0';
}

void MainWindowTest::TearDown()
{
    if (IsWindow(hwnd))
        DestroyWindow(hwnd);
    // The quit message that WM_DESTROY posts must not reach the next test.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}

void MainWindowTest::writeConfig(const std::string& port, const std::string& baud)
{
    // Through the private-profile functions, so their cache of the file
    // never holds an older version than the one readINI is to see.
    std::string file = exeFolder() + "servoconf.ini";
    WritePrivateProfileStringA("SERIAL", "PORT", port.c_str(), file.c_str());
    WritePrivateProfileStringA("SERIAL", "BAUDRATE", baud.c_str(), file.c_str());
}

void MainWindowTest::openWindow(const std::string& port, const std::string& baud)
{
    writeConfig(port, baud);
    hwnd = dialogs.ignoreWindow([] { return createMainWindow(GetModuleHandleW(nullptr)); });
    ASSERT_NE(hwnd, nullptr);
}

void MainWindowTest::openWindow()
{
    openWindow(servo.portName(), "115200");
}

void MainWindowTest::click(int id)
{
    HWND control = item(id);
    if (control == nullptr || !IsWindowVisible(control) || !IsWindowEnabled(control)) {
        ADD_FAILURE() << "control " << id << " cannot be clicked";
        return;
    }
    SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

void MainWindowTest::chooseMenu(int id)
{
    if (!menuEnabled(id)) {
        ADD_FAILURE() << "menu item " << id << " cannot be chosen";
        return;
    }
    SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void MainWindowTest::notifyList(UINT code, int row)
{
    NMITEMACTIVATE notification{};
    notification.hdr.hwndFrom = item(kListId);
    notification.hdr.idFrom = kListId;
    notification.hdr.code = code;
    notification.iItem = row;
    SendMessageW(hwnd, WM_NOTIFY, kListId, reinterpret_cast<LPARAM>(&notification));
}

void MainWindowTest::typeInto(int id, const std::string& text)
{
    SetFocus(item(id));
    for (wchar_t c : widen(text))
        PostMessageW(item(id), WM_CHAR, c, 1);
    pump(100);
}

void MainWindowTest::pressKey(int id, UINT virtualKey)
{
    SetFocus(item(id));
    PostMessageW(item(id), WM_KEYDOWN, virtualKey, 1);
    PostMessageW(item(id), WM_KEYUP, virtualKey, 0xC0000001);
    pump(200);
}

void MainWindowTest::pump(int milliseconds)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < deadline) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (IsDialogMessageW(hwnd, &msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    }
}

HWND MainWindowTest::item(int id) const
{
    return GetDlgItem(hwnd, id);
}

bool MainWindowTest::enabled(int id) const
{
    return IsWindowEnabled(item(id)) != FALSE;
}

bool MainWindowTest::menuEnabled(int id) const
{
    UINT state = GetMenuState(GetMenu(hwnd), static_cast<UINT>(id), MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

std::string MainWindowTest::text(int id) const
{
    std::wstring buffer(static_cast<std::size_t>(GetWindowTextLengthW(item(id))) + 1, L'\0');
    int length = GetWindowTextW(item(id), buffer.data(), static_cast<int>(buffer.size()));
    buffer.resize(static_cast<std::size_t>(length));
    return narrow(buffer);
}

int MainWindowTest::comboSelection(int id) const
{
    return static_cast<int>(SendMessageW(item(id), CB_GETCURSEL, 0, 0));
}

std::vector<std::string> MainWindowTest::comboEntries(int id) const
{
    std::vector<std::string> entries;
    auto count = static_cast<int>(SendMessageW(item(id), CB_GETCOUNT, 0, 0));
    for (int k = 0; k < count; ++k) {
        wchar_t entry[kTextSize] = {};
        SendMessageW(item(id), CB_GETLBTEXT, static_cast<WPARAM>(k), reinterpret_cast<LPARAM>(entry));
        entries.push_back(narrow(entry));
    }
    return entries;
}

void MainWindowTest::selectCombo(int id, int position)
{
    SendMessageW(item(id), CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

int MainWindowTest::rowCount() const
{
    return static_cast<int>(SendMessageW(item(kListId), LVM_GETITEMCOUNT, 0, 0));
}

std::string MainWindowTest::cell(int row, int column) const
{
    wchar_t buffer[kTextSize] = {};
    LVITEMW cellItem{};
    cellItem.iSubItem = column;
    cellItem.pszText = buffer;
    cellItem.cchTextMax = kTextSize;
    SendMessageW(item(kListId), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cellItem));
    return narrow(buffer);
}

std::string MainWindowTest::columnHeader(int column) const
{
    wchar_t buffer[kTextSize] = {};
    LVCOLUMNW header{};
    header.mask = LVCF_TEXT;
    header.pszText = buffer;
    header.cchTextMax = kTextSize;
    SendMessageW(item(kListId), LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&header));
    return narrow(buffer);
}

void MainWindowTest::selectRow(int row, bool selected)
{
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED;
    state.state = selected ? LVIS_SELECTED : 0;
    SendMessageW(item(kListId), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
}

bool MainWindowTest::rowSelected(int row) const
{
    return SendMessageW(item(kListId), LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) != 0;
}

std::vector<std::string> MainWindowTest::packets(std::size_t atLeast)
{
    return servo.packets(atLeast);
}

std::vector<std::string> readAllPackets(int id)
{
    std::vector<std::string> blocks;
    for (int address = 0x00; address < 0x60; address += 0x10) {
        char packet[80];
        std::snprintf(packet, sizeof packet, "%02X 30 %02X", 0x80 | id, address);
        std::string text = packet;
        for (int k = 0; k < 16; ++k)
            text += " 00";
        blocks.push_back(text);
    }
    return blocks;
}
