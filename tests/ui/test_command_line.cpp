// The command field and Send: the line goes through mainCmd with the ID
// selector's entry, and the dialog manager's Enter and Escape do nothing.
#include "tests/ui/window_harness.h"

#include "ui/resources/resource.h"

#include <string>

namespace {

class CommandLine : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        openWindow();
        click(IDC_CONNECT);
        servo.mark();
    }
};

TEST_F(CommandLine, SendRunsTheTypedLineAndEmptiesTheField)
{
    typeInto(IDC_COMMAND, "w 9 1");
    EXPECT_EQ(text(IDC_COMMAND), "w 9 1");
    click(IDC_SEND);
    EXPECT_EQ(packets(1), std::vector<std::string>{"BF 61 09 01"});
    EXPECT_EQ(text(IDC_COMMAND), "");
}

TEST_F(CommandLine, SendDoesNotRefreshTheList)
{
    std::string shown = cell(18, 2);
    servo.control("set 20=11,22");
    SetWindowTextW(item(IDC_COMMAND), L"s");
    click(IDC_SEND);
    EXPECT_EQ(packets(1), std::vector<std::string>{"BF 41 4F 01"});
    EXPECT_EQ(cell(18, 2), shown);
    EXPECT_NE(cell(18, 2), "0x1111");
    EXPECT_TRUE(dialogs.seen().empty());
}

TEST_F(CommandLine, TheIdSelectorAddressesThePackets)
{
    selectCombo(IDC_ID, 0x1A);
    EXPECT_EQ(text(IDC_ID), "1A");
    SetWindowTextW(item(IDC_COMMAND), L"w 9 1");
    click(IDC_SEND);
    EXPECT_EQ(packets(1), std::vector<std::string>{"9A 61 09 01"});
}

TEST_F(CommandLine, AnEmptyLineSendsNothing)
{
    click(IDC_SEND);
    EXPECT_TRUE(packets(1).empty());
    EXPECT_TRUE(IsWindow(hwnd));
}

TEST_F(CommandLine, ALongLineIsCutTo1023Characters)
{
    // The RAM write's value starts at character 1020: three digits fit,
    // the fourth would change the value that goes out.
    std::string line = "w 20";
    line.resize(1020, ' ');
    line += "1234";
    line.resize(1500, '5');
    SetWindowTextW(item(IDC_COMMAND), widen(line).c_str());
    ASSERT_EQ(text(IDC_COMMAND).size(), 1500u);
    click(IDC_SEND);
    EXPECT_EQ(packets(1), std::vector<std::string>{"BF 62 20 23 02"});
    EXPECT_EQ(text(IDC_COMMAND), "");
}

TEST_F(CommandLine, EnterInTheFieldSendsNothing)
{
    typeInto(IDC_COMMAND, "w 9 1");
    pressKey(IDC_COMMAND, VK_RETURN);
    EXPECT_EQ(text(IDC_COMMAND), "w 9 1");
    EXPECT_TRUE(packets(1).empty());
    EXPECT_TRUE(IsWindowVisible(hwnd));
}

TEST_F(CommandLine, EscapeDoesNotCloseTheWindow)
{
    pressKey(IDC_COMMAND, VK_ESCAPE);
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_TRUE(IsWindowVisible(hwnd));
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

}  // namespace
