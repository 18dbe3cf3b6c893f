// The main window's selectors, its three states and Connect/Disconnect.
#include "tests/ui/window_harness.h"

#include "ui/resources/resource.h"
#include "link/serial.h"

#include <string>

namespace {

// Enabled states of the controls and the menu item that differ between the
// window's states; everything else is enabled in all of them.
struct StateRow {
    int id;
    bool start;
    bool connected;
    bool disconnected;
};
constexpr StateRow kStateTable[] = {
    {IDC_CONNECT, true, false, true},     {IDC_PORT, true, false, true},
    {IDC_BAUD, true, false, true},        {IDC_DISCONNECT, false, true, false},
    {IDC_CLEAR, false, true, false},      {IDC_REFRESH, false, true, false},
    {IDC_WRITE, false, true, false},      {IDC_SEND, false, true, true},
};
constexpr int kAlwaysEnabled[] = {IDC_ID, IDC_COMMAND, IDC_PARAM_LIST, IDC_EXIT};
constexpr int kAlwaysEnabledMenu[] = {IDM_OPEN,       IDM_SAVE,        IDM_EXIT,  IDM_READ_RAM,
                                      IDM_WRITE_FLASH, IDM_CLEAR, IDM_OPTION};

enum class State { Start, Connected, Disconnected };

class MainWindow : public MainWindowTest {
protected:
    void expectState(State state)
    {
        for (const StateRow& row : kStateTable) {
            bool expected = state == State::Start       ? row.start
                            : state == State::Connected ? row.connected
                                                        : row.disconnected;
            EXPECT_EQ(enabled(row.id), expected) << "control " << row.id;
        }
        EXPECT_EQ(menuEnabled(IDM_UPDATE), state == State::Connected);
        for (int id : kAlwaysEnabled)
            EXPECT_TRUE(enabled(id)) << "control " << id;
        for (int id : kAlwaysEnabledMenu)
            EXPECT_TRUE(menuEnabled(id)) << "menu item " << id;
    }

    void expectConnectRefused()
    {
        auto seen = dialogs.seen();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].title, "通信エラー");
        EXPECT_EQ(seen[0].text, "COMポートが開けません");
        EXPECT_EQ(seen[0].icon, static_cast<UINT>(MB_ICONERROR));
    }
};

TEST_F(MainWindow, StartsWithTheTemplateStatesItsCaptionAndIcon)
{
    openWindow();
    EXPECT_TRUE(IsWindowVisible(hwnd));
    wchar_t caption[64] = {};
    GetWindowTextW(hwnd, caption, 64);
    EXPECT_EQ(narrow(caption), "ORVELINプログラマ Ver.1.07");
    // The 16 x 16 image of icon 109, given as the big icon.
    auto icon = reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP image{};
    GetObjectW(info.hbmColor, sizeof image, &image);
    EXPECT_EQ(image.bmWidth, 16);
    EXPECT_EQ(image.bmHeight, 16);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    expectState(State::Start);
}

TEST_F(MainWindow, FillsTheSelectorsInInsertionOrder)
{
    openWindow("COM3", "115200");
    auto ports = comboEntries(IDC_PORT);
    ASSERT_EQ(ports.size(), 255u);
    for (int n = 1; n <= 255; ++n)
        EXPECT_EQ(ports[static_cast<std::size_t>(n - 1)], "COM" + std::to_string(n));

    auto ids = comboEntries(IDC_ID);
    ASSERT_EQ(ids.size(), 64u);
    EXPECT_EQ(ids[0], "0");
    EXPECT_EQ(ids[9], "9");
    EXPECT_EQ(ids[10], "A");
    EXPECT_EQ(ids[16], "10");
    EXPECT_EQ(ids[63], "3F");

    EXPECT_EQ(comboEntries(IDC_BAUD),
              (std::vector<std::string>{"14400", "19200", "38400", "57600", "115200", "230400"}));
}

TEST_F(MainWindow, PreselectsThePortAndRateFromTheFileAndId3F)
{
    openWindow("COM3", "115200");
    EXPECT_EQ(comboSelection(IDC_PORT), 2);
    EXPECT_EQ(text(IDC_PORT), "COM3");
    EXPECT_EQ(comboSelection(IDC_ID), 0x3F);
    EXPECT_EQ(text(IDC_ID), "3F");
    EXPECT_EQ(comboSelection(IDC_BAUD), 4);
    EXPECT_EQ(text(IDC_BAUD), "115200");
    expectState(State::Start);
}

TEST_F(MainWindow, PortNamesOutsideTheListSelectNothing)
{
    for (const char* port : {"COM0", "COM256", "com3"}) {
        SCOPED_TRACE(port);
        openWindow(port, "57600");
        EXPECT_EQ(comboSelection(IDC_PORT), CB_ERR);
        EXPECT_EQ(text(IDC_PORT), "");
        EXPECT_EQ(text(IDC_BAUD), "57600");
        DestroyWindow(hwnd);
    }
}

TEST_F(MainWindow, ConnectWithoutASelectedPortTestsPortZeroAndRefuses)
{
    openWindow("COM0", "115200");
    click(IDC_CONNECT);
    expectConnectRefused();
    EXPECT_STREQ(comPortName, "\\\\.\\COM0");
    expectState(State::Start);
}

TEST_F(MainWindow, ARateOutsideTheListLeavesTheFieldEmpty)
{
    openWindow(servo.portName(), "9600");
    EXPECT_EQ(comboSelection(IDC_BAUD), CB_ERR);
    EXPECT_EQ(text(IDC_BAUD), "");
}

TEST_F(MainWindow, ATypedRateIsTheOneConnectUses)
{
    openWindow(servo.portName(), "9600");
    SetWindowTextW(item(IDC_BAUD), L"9600");
    click(IDC_CONNECT);
    EXPECT_TRUE(dialogs.seen().empty());
    EXPECT_EQ(baudRate, 9600);
    expectState(State::Connected);
}

TEST_F(MainWindow, FailedConnectShowsTheErrorBoxAndChangesNothing)
{
    openWindow();
    std::string before = cell(18, 2);
    selectCombo(IDC_PORT, 199);
    click(IDC_CONNECT);
    expectConnectRefused();
    expectState(State::Start);
    EXPECT_EQ(cell(18, 2), before);
    EXPECT_TRUE(packets(1).empty());
    // The port and rate of the refused Connect are in force all the same.
    EXPECT_STREQ(comPortName, "\\\\.\\COM200");
    EXPECT_EQ(baudRate, 115200);
}

TEST_F(MainWindow, ConnectReadsTheServoAndLocksPortAndRate)
{
    servo.control("set 20=68,07");
    servo.control("set 2C=45,46,04,00");
    openWindow();
    click(IDC_CONNECT);
    EXPECT_TRUE(dialogs.seen().empty());
    EXPECT_EQ(packets(6), readAllPackets(0x3F));
    EXPECT_EQ(cell(18, 0), "M_POS");
    EXPECT_EQ(cell(18, 2), "0x03E8");
    EXPECT_EQ(cell(24, 0), "M_ENC");
    EXPECT_EQ(cell(24, 2), "0x00012345");
    expectState(State::Connected);
    EXPECT_FALSE(enabled(IDC_PORT));
    EXPECT_FALSE(enabled(IDC_BAUD));
}

TEST_F(MainWindow, DisconnectUnlocksTheSelectorsAndKeepsSendAndTheList)
{
    servo.control("set 20=68,07");
    openWindow();
    click(IDC_CONNECT);
    servo.mark();
    click(IDC_DISCONNECT);
    expectState(State::Disconnected);
    EXPECT_EQ(cell(18, 2), "0x03E8");
    EXPECT_TRUE(packets(1).empty());

    click(IDC_CONNECT);
    expectState(State::Connected);
}

TEST_F(MainWindow, AfterDisconnectSendRunsTheLineOnTheLastConnectsPort)
{
    openWindow();
    click(IDC_CONNECT);
    click(IDC_DISCONNECT);
    servo.mark();
    SetWindowTextW(item(IDC_COMMAND), L"w 9 1");
    click(IDC_SEND);
    EXPECT_EQ(packets(1), std::vector<std::string>{"BF 61 09 01"});
    expectState(State::Disconnected);
}

TEST_F(MainWindow, ConnectWhileConnectedOnlyTakesTheSettings)
{
    openWindow();
    click(IDC_CONNECT);
    servo.mark();
    // The button is disabled; a command that reaches the window anyway
    // takes the selectors' port and rate and stops there.
    SendMessageW(hwnd, WM_COMMAND, IDC_CONNECT, 0);
    EXPECT_TRUE(packets(1).empty());
    EXPECT_TRUE(dialogs.seen().empty());
    expectState(State::Connected);
}

TEST_F(MainWindow, ExitButtonMenuAndCloseEndTheLoop)
{
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        openWindow();
        if (way == 0)
            click(IDC_EXIT);
        else if (way == 1)
            chooseMenu(IDM_EXIT);
        else
            SendMessageW(hwnd, WM_CLOSE, 0, 0);
        EXPECT_FALSE(IsWindow(hwnd));
        MSG msg;
        EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    }
}

}  // namespace
