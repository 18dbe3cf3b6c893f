// Drives the real main window under Wine: creates it as WinMain does, sends
// it the messages that clicks, menu choices, keys and list notifications
// produce, and answers every message box and modal dialog from a watcher
// thread. The servo at the far end is the virtual servo that the test
// runner mapped to a COM port (servo_link.h).
#pragma once

#include "tests/support/servo_link.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// A dialog the watcher saw: its caption, the texts of its static controls
// (a message box's text), a message box's icon as the MB_ICON* flag it was
// shown with (0 for none; MB_USERICON for any icon in another process's
// box, whose icon handles cannot be compared), and its owner window (null
// for none).
struct SeenDialog {
    std::string title;
    std::string text;
    UINT icon;
    HWND owner;
};

// Watches the top-level windows of one thread. A visible dialog is recorded
// and then handed to the handler registered for its caption, or else
// answered with OK; one that is still open three seconds later is
// cancelled, so no test hangs on a dialog. Pop-up menus are handed to the
// menu handler, or else dismissed with Escape.
class DialogWatcher {
public:
    explicit DialogWatcher(DWORD uiThread);
    ~DialogWatcher();
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

    // Runs make, which creates or finds a window (the main window), while
    // the watcher is held, and leaves that window alone from then on. make
    // must not show a dialog of the watched thread.
    HWND ignoreWindow(const std::function<HWND()>& make);
    // Handlers run on the watcher's thread; they work on the dialog through
    // the helpers below, which are safe across threads.
    void answer(const std::string& title, std::function<void(HWND dialog)> handler);
    void answerMenu(std::function<void(HWND menu)> handler);

    std::vector<SeenDialog> seen() const;
    // Menus the watcher saw since the last clear.
    int menusSeen() const;
    void clear();

private:
    struct Impl;
    std::unique_ptr<Impl> impl;
};

// Cross-thread helpers for handlers.
void pressButton(HWND dialog, int id);
void setControlText(HWND dialog, int id, const std::string& utf8);
std::string controlText(HWND window);
// Picks the item at this position of an open pop-up menu.
void chooseMenuItem(HWND menu, int position);

std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& wide);

// The folder of the test program, with a trailing backslash.
std::string exeFolder();

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest();
    void SetUp() override;
    void TearDown() override;

    // servoconf.ini beside the test program, as readINI finds it; then the
    // main window, created as WinMain creates it.
    void writeConfig(const std::string& port, const std::string& baud);
    void openWindow(const std::string& port, const std::string& baud);
    // With the virtual servo's port and 115200 baud.
    void openWindow();

    // User actions. A click or a menu choice on a disabled control is a test
    // failure, since the user could not make it.
    void click(int id);
    void chooseMenu(int id);
    // The list's notification with the list as its sender.
    void notifyList(UINT code, int row = -1);
    // Keys and characters go through the thread's queue and the message loop
    // as WinMain runs it, so the dialog manager sees them.
    void typeInto(int id, const std::string& text);
    void pressKey(int id, UINT virtualKey);
    void pump(int milliseconds);

    // Reading the window.
    HWND item(int id) const;
    bool enabled(int id) const;
    bool menuEnabled(int id) const;
    std::string text(int id) const;
    int comboSelection(int id) const;
    std::vector<std::string> comboEntries(int id) const;
    void selectCombo(int id, int position);

    // The parameter list.
    int rowCount() const;
    std::string cell(int row, int column) const;
    std::string columnHeader(int column) const;
    void selectRow(int row, bool selected);
    bool rowSelected(int row) const;

    // Packets that reached the servo since the last mark (servo.mark()).
    std::vector<std::string> packets(std::size_t atLeast = 0);

    ServoLink servo;
    DialogWatcher dialogs;
    HWND hwnd = nullptr;
};

// The read-all command's six block requests for this ID.
std::vector<std::string> readAllPackets(int id);
