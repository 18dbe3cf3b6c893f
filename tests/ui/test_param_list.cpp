// The parameter list: its rows and columns at start, and the refresh.
#include "tests/ui/window_harness.h"

#include "link/registers.h"
#include "ui/resources/resource.h"
#include "ui/window.h"

#include <commctrl.h>

#include <future>
#include <string>

namespace {

using ParamList = MainWindowTest;

std::string zeroText(int size)
{
    return size == 1 ? "0x00" : size == 2 ? "0x0000" : "0x00000000";
}

TEST_F(ParamList, StartsWithEveryRegisterAtZeroAndNoFlashValues)
{
    openWindow();
    ASSERT_EQ(rowCount(), 63);
    for (int row = 0; row < 63; ++row) {
        SCOPED_TRACE(row);
        char address[8];
        std::snprintf(address, sizeof address, "0x%02X", paramtbl[static_cast<std::size_t>(row)].address);
        EXPECT_EQ(cell(row, 0), paramtbl[static_cast<std::size_t>(row)].name);
        EXPECT_EQ(cell(row, 1), address);
        EXPECT_EQ(cell(row, 2), zeroText(paramtbl[static_cast<std::size_t>(row)].size));
        EXPECT_EQ(cell(row, 3), "");
    }
    EXPECT_EQ(cell(0, 1), "0x00");
    EXPECT_EQ(cell(0, 2), "0x0000");
    EXPECT_EQ(cell(2, 2), "0x00000000");
    EXPECT_EQ(cell(3, 2), "0x00");
    EXPECT_EQ(cell(62, 0), "BST_RA7");
    EXPECT_EQ(cell(62, 1), "0x5F");
}

TEST_F(ParamList, HasTheFourColumnsWithGridAndFullRowSelection)
{
    openWindow();
    EXPECT_EQ(columnHeader(0), "名前");
    EXPECT_EQ(columnHeader(1), "アドレス");
    EXPECT_EQ(columnHeader(2), "RAM");
    EXPECT_EQ(columnHeader(3), "FLASH");
    HWND list = item(IDC_PARAM_LIST);
    EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), 100);
    EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0), 64);
    EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 2, 0), 96);
    EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 3, 0), 96);
    auto extended = static_cast<DWORD>(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    EXPECT_EQ(extended & 0x21u, 0x21u);
    EXPECT_EQ(GetWindowLongW(list, GWL_STYLE) & LVS_SINGLESEL, 0);
}

TEST_F(ParamList, RefreshKeepsFlashCellsAndTheSelection)
{
    openWindow();
    click(IDC_CONNECT);
    setFlashCell(hwnd, 5, "0x1234");
    setFlashCell(hwnd, 33, "0x05");
    selectRow(7, true);
    selectRow(20, true);
    servo.control("set 20=68,07");
    servo.mark();
    click(IDC_REFRESH);
    EXPECT_EQ(packets(6), readAllPackets(0x3F));
    EXPECT_EQ(cell(18, 2), "0x03E8");
    EXPECT_EQ(cell(5, 3), "0x1234");
    EXPECT_EQ(cell(33, 3), "0x05");
    EXPECT_EQ(cell(6, 3), "");
    EXPECT_TRUE(rowSelected(7));
    EXPECT_TRUE(rowSelected(20));
    EXPECT_FALSE(rowSelected(8));
    EXPECT_EQ(selectedParamRow(hwnd), 7);
    EXPECT_EQ(rowCount(), 63);
}

TEST_F(ParamList, TheEditMenuRefreshesWithTheSelectedId)
{
    openWindow();
    servo.control("set 2C=45,46,04,00");
    selectCombo(IDC_ID, 0x3F);
    chooseMenu(IDM_READ_RAM);
    EXPECT_EQ(packets(6), readAllPackets(0x3F));
    EXPECT_EQ(cell(24, 2), "0x00012345");
}

TEST_F(ParamList, ARefreshFromASilentServoShowsZerosAgain)
{
    openWindow();
    servo.control("set 20=68,07");
    click(IDC_CONNECT);
    ASSERT_EQ(cell(18, 2), "0x03E8");
    servo.control("silent 1");
    click(IDC_REFRESH);
    for (int row = 0; row < 63; ++row)
        EXPECT_EQ(cell(row, 2), zeroText(paramtbl[static_cast<std::size_t>(row)].size)) << row;
}

TEST_F(ParamList, FlashCellsReadBackAndEmpty)
{
    openWindow();
    setFlashCell(hwnd, 4, "0x01");
    char text[64] = "stale";
    getFlashCell(hwnd, 4, text, sizeof text);
    EXPECT_STREQ(text, "0x01");
    getFlashCell(hwnd, 4, text, 3);
    EXPECT_STREQ(text, "0x");
    setFlashCell(hwnd, 4, nullptr);
    getFlashCell(hwnd, 4, text, sizeof text);
    EXPECT_STREQ(text, "");
    getFlashCell(hwnd, 200, text, sizeof text);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(cell(4, 3), "");
}

TEST_F(ParamList, RightClickOpensThePopUpWhoseItemIsTheFlashEdit)
{
    openWindow();
    std::promise<std::string> shownName;
    dialogs.answerMenu([](HWND menu) { chooseMenuItem(menu, 0); });
    dialogs.answer("ファームの編集", [&shownName](HWND dialog) {
        shownName.set_value(controlText(GetDlgItem(dialog, IDC_FLASH_NAME)));
        pressButton(dialog, IDCANCEL);
    });
    selectRow(3, true);
    notifyList(NM_RCLICK);
    // The chosen item comes back as a posted command, through the loop.
    pump(300);
    EXPECT_EQ(dialogs.menusSeen(), 1);
    auto seen = dialogs.seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, "ファームの編集");
    EXPECT_EQ(shownName.get_future().get(), "SYS_SID");
}

TEST_F(ParamList, RightClickAndEscapeChooseNothing)
{
    openWindow();
    selectRow(3, true);
    notifyList(NM_RCLICK);
    pump(300);
    EXPECT_EQ(dialogs.menusSeen(), 1);
    EXPECT_TRUE(dialogs.seen().empty());
    EXPECT_EQ(cell(3, 3), "");
}

TEST_F(ParamList, DoubleClickOpensTheRamEdit)
{
    openWindow();
    selectRow(3, true);
    std::promise<std::string> shownName;
    dialogs.answer("データの編集", [&shownName](HWND dialog) {
        shownName.set_value(controlText(GetDlgItem(dialog, IDC_EDIT_NAME)));
        pressButton(dialog, IDCANCEL);
    });
    notifyList(NM_DBLCLK, 3);
    auto seen = dialogs.seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, "データの編集");
    EXPECT_EQ(shownName.get_future().get(), "SYS_SID");
    EXPECT_TRUE(packets(1).empty());
}

}  // namespace
