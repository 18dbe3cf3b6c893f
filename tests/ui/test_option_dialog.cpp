// The options dialog: the start-up port and baud rate in servoconf.ini,
// without touching the settings in force.
#include "tests/ui/window_harness.h"

#include "ui/resources/resource.h"
#include "link/serial.h"
#include "settings/settings.h"

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr UINT kTimeoutMs = 5000;

LRESULT sendAcross(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, msg, wParam, lParam, SMTO_BLOCK, kTimeoutMs, &result);
    return static_cast<LRESULT>(result);
}

std::vector<std::string> entriesOf(HWND combo)
{
    std::vector<std::string> entries;
    auto count = static_cast<int>(sendAcross(combo, CB_GETCOUNT, 0, 0));
    for (int k = 0; k < count; ++k) {
        wchar_t entry[64] = {};
        sendAcross(combo, CB_GETLBTEXT, static_cast<WPARAM>(k), reinterpret_cast<LPARAM>(entry));
        entries.push_back(narrow(entry));
    }
    return entries;
}

// The two boxes as the dialog opened.
struct Shown {
    std::vector<std::string> ports;
    std::vector<std::string> rates;
    int port = -2;
    int rate = -2;
    std::string rateText;
};

// The main window's side of the port settings.
struct InForce {
    std::string comPortName;
    int baudRate;
    std::string comPortNameBuff;
    int portSelection;
    std::string baudText;
    bool operator==(const InForce&) const = default;
};

class OptionDialog : public MainWindowTest {
protected:
    // Opens the dialog from the Tools menu, notes its boxes, lets act change
    // them, then presses the button.
    Shown runDialog(int button, std::function<void(HWND)> act = {})
    {
        Shown shown;
        dialogs.answer("オプション", [&shown, act, button](HWND dialog) {
            HWND port = GetDlgItem(dialog, IDC_OPTION_PORT);
            HWND rate = GetDlgItem(dialog, IDC_OPTION_BAUD);
            shown = {entriesOf(port), entriesOf(rate), static_cast<int>(sendAcross(port, CB_GETCURSEL, 0, 0)),
                     static_cast<int>(sendAcross(rate, CB_GETCURSEL, 0, 0)), controlText(rate)};
            if (act)
                act(dialog);
            pressButton(dialog, button);
        });
        chooseMenu(IDM_OPTION);
        return shown;
    }

    std::string stored(const char* key) const
    {
        char value[64];
        GetPrivateProfileStringA("SERIAL", key, "(missing)", value, sizeof value, inifilename);
        return value;
    }

    void store(const char* key, const char* value) const
    {
        WritePrivateProfileStringA("SERIAL", key, value, inifilename);
    }

    std::string iniBytes() const
    {
        std::ifstream in(inifilename, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    InForce inForce() const
    {
        return {comPortName, baudRate, comPortNameBuff, comboSelection(IDC_PORT), text(IDC_BAUD)};
    }
};

TEST_F(OptionDialog, OpensOnTheStoredValuesWhichOkKeeps)
{
    openWindow();
    InForce before = inForce();
    store("PORT", "COM5");
    store("BAUDRATE", "57600");
    Shown shown = runDialog(IDOK);
    ASSERT_EQ(shown.ports.size(), 255u);
    for (int n = 1; n <= 255; ++n)
        EXPECT_EQ(shown.ports[static_cast<std::size_t>(n - 1)], "COM" + std::to_string(n));
    EXPECT_EQ(shown.rates, (std::vector<std::string>{"14400", "19200", "38400", "57600", "115200", "230400"}));
    EXPECT_EQ(shown.port, 4);
    EXPECT_EQ(shown.rate, 3);
    EXPECT_EQ(stored("PORT"), "COM5");
    EXPECT_EQ(stored("BAUDRATE"), "57600");
    EXPECT_EQ(inForce(), before);
}

TEST_F(OptionDialog, AChosenPortAndATypedRateAreStoredButNotPutInForce)
{
    openWindow();
    click(IDC_CONNECT);
    InForce before = inForce();
    runDialog(IDOK, [](HWND dialog) {
        sendAcross(GetDlgItem(dialog, IDC_OPTION_PORT), CB_SETCURSEL, 1, 0);
        setControlText(dialog, IDC_OPTION_BAUD, "9600");
    });
    EXPECT_EQ(stored("PORT"), "COM2");
    EXPECT_EQ(stored("BAUDRATE"), "9600");
    EXPECT_EQ(inForce(), before);
    // Commands still go to the port of the connect.
    servo.mark();
    click(IDC_REFRESH);
    EXPECT_EQ(packets(6), readAllPackets(0x3F));
}

TEST_F(OptionDialog, CancelWritesNothing)
{
    openWindow();
    std::string file = iniBytes();
    runDialog(IDCANCEL, [](HWND dialog) {
        sendAcross(GetDlgItem(dialog, IDC_OPTION_PORT), CB_SETCURSEL, 1, 0);
        setControlText(dialog, IDC_OPTION_BAUD, "9600");
    });
    EXPECT_EQ(iniBytes(), file);
}

TEST_F(OptionDialog, AMissingKeyOrFailShowsTheDefaultsWithoutStoringThem)
{
    openWindow();
    store("PORT", nullptr);
    store("BAUDRATE", "FAIL");
    Shown shown = runDialog(IDCANCEL);
    EXPECT_EQ(shown.port, 0);  // COM1
    EXPECT_EQ(shown.rate, 4);  // 115200
    EXPECT_EQ(stored("PORT"), "(missing)");
    EXPECT_EQ(stored("BAUDRATE"), "FAIL");
}

TEST_F(OptionDialog, AStoredValueThatMatchesNoEntryLeavesItsBoxEmptyAndOkStoresThatAsItIs)
{
    openWindow();
    store("PORT", "com3");
    store("BAUDRATE", "9600");
    Shown shown = runDialog(IDOK);
    EXPECT_EQ(shown.port, -1);
    EXPECT_EQ(shown.rate, -1);
    EXPECT_EQ(shown.rateText, "");
    EXPECT_EQ(stored("PORT"), "");
    EXPECT_EQ(stored("BAUDRATE"), "");
}

}  // namespace
