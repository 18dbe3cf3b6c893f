// The RAM edit dialog (double-click) and the FLASH edit dialog (the list's
// pop-up), opened as the operator opens them.
#include "tests/ui/window_harness.h"

#include "ui/resources/resource.h"
#include "ui/window.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

using Packets = std::vector<std::string>;

Packets operator+(Packets first, const Packets& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// What an edit dialog showed when it came up.
struct Shown {
    std::string name;
    std::string value;
};

class EditDialogs : public MainWindowTest {
protected:
    void openRamEdit(int row) { notifyList(NM_DBLCLK, row); }

    void openFlashEdit()
    {
        dialogs.answerMenu([](HWND menu) { chooseMenuItem(menu, 0); });
        notifyList(NM_RCLICK);
        // The chosen item arrives as a posted command.
        pump(100);
    }

    void selectOnly(int row)
    {
        selectRow(-1, false);
        selectRow(row, true);
    }

    // Notes the dialog's fields, types the text into its value field and
    // presses the button.
    void answer(const std::string& title, int nameId, int valueId, const std::string& text, Shown& shown,
                int button = IDOK)
    {
        dialogs.answer(title, [=, &shown](HWND dialog) {
            shown = {controlText(GetDlgItem(dialog, nameId)), controlText(GetDlgItem(dialog, valueId))};
            setControlText(dialog, valueId, text);
            pressButton(dialog, button);
        });
    }

    void answerRamEdit(const std::string& text, Shown& shown, int button = IDOK)
    {
        answer("データの編集", IDC_EDIT_NAME, IDC_EDIT_VALUE, text, shown, button);
    }

    void answerFlashEdit(const std::string& text, Shown& shown, int button = IDOK)
    {
        answer("ファームの編集", IDC_FLASH_NAME, IDC_FLASH_VALUE, text, shown, button);
    }

    Packets settledPackets()
    {
        pump(300);
        return packets();
    }
};

TEST_F(EditDialogs, WithoutASelectedRowBothEndAtOnceAndNothingChanges)
{
    openWindow();
    setFlashCell(hwnd, 18, "0x0010");
    servo.mark();
    openRamEdit(-1);
    openFlashEdit();
    EXPECT_EQ(dialogs.menusSeen(), 1);
    EXPECT_TRUE(dialogs.seen().empty());
    EXPECT_TRUE(settledPackets().empty());
    EXPECT_EQ(cell(18, 3), "0x0010");
}

TEST_F(EditDialogs, BothActOnTheLowestSelectedRow)
{
    openWindow();
    click(IDC_CONNECT);
    selectRow(20, true);
    selectRow(5, true);  // SYS_BR, 0x0A, two bytes
    Shown ram;
    answerRamEdit("1c20", ram);
    servo.mark();
    openRamEdit(5);
    EXPECT_EQ(ram.name, "SYS_BR");
    EXPECT_EQ(packets(7), Packets{"BF 62 0A 20 38"} + readAllPackets(0x3F));
    EXPECT_EQ(cell(5, 2), "0x1C20");

    Shown flash;
    answerFlashEdit("3e8", flash);
    openFlashEdit();
    EXPECT_EQ(flash.name, "SYS_BR");
    EXPECT_EQ(flash.value, "1C20");
    EXPECT_EQ(cell(5, 3), "0x03E8");
    EXPECT_EQ(cell(20, 3), "");
}

TEST_F(EditDialogs, RamEditSendsTheTypedTextUncheckedAndAlwaysRefreshes)
{
    struct Case {
        const char* text;
        Packets write;
    };
    const Case cases[] = {
        {"3e8", {"BF 62 20 68 07"}},
        {"0x3E8", {"BF 62 20 68 07"}},
        {"", {}},  // "w 20 " carries no value: the interpreter sends nothing
    };
    openWindow();
    click(IDC_CONNECT);
    selectOnly(18);  // M_POS, 0x20
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        servo.control("set 20=01,10");
        click(IDC_REFRESH);
        ASSERT_EQ(cell(18, 2), "0x0801");
        Shown shown;
        answerRamEdit(c.text, shown);
        servo.mark();
        openRamEdit(18);
        EXPECT_EQ(shown.name, "M_POS");
        EXPECT_EQ(shown.value, "0801");
        EXPECT_EQ(packets(c.write.size() + 6), c.write + readAllPackets(0x3F));
        EXPECT_EQ(cell(18, 2), c.write.empty() ? "0x0801" : "0x03E8");
    }
}

TEST_F(EditDialogs, CancelInEitherDialogChangesNothing)
{
    openWindow();
    selectOnly(18);
    setFlashCell(hwnd, 18, "0x0010");
    Shown shown;
    servo.mark();
    answerRamEdit("3e8", shown, IDCANCEL);
    openRamEdit(18);
    answerFlashEdit("3e8", shown, IDCANCEL);
    openFlashEdit();
    EXPECT_EQ(dialogs.seen().size(), 2u);
    EXPECT_TRUE(settledPackets().empty());
    EXPECT_EQ(cell(18, 3), "0x0010");
}

TEST_F(EditDialogs, FlashEditParsesAsStrtolDoesAndMasksByRegisterSize)
{
    struct Case {
        int row;
        const char* text;
        const char* cell;
    };
    // Rows: 3 SYS_SID (1 byte), 18 M_POS (2 bytes), 2 SYS_UID and 24 M_ENC (4 bytes).
    const Case cases[] = {
        {18, "3e8", "0x03E8"},
        {18, "0x3e8", "0x03E8"},
        {18, "12345", "0x2345"},
        {18, "  -0X10zz", "0x3FF0"},
        {18, "+1f", "0x001F"},
        {18, "0x", "0x0000"},
        {18, " ", "0x0000"},
        {3, "1FF", "0x7F"},
        {3, "-1", "0x7F"},
        {3, "zz", "0x00"},
        {3, " ", "0x00"},
        {2, "12345678", "0x00145678"},
        {24, "FFFFFFFF", "0x001FFFFF"},
        {24, "-FFFFFFFFF", "0x00000000"},
        {2, " ", "0x00000000"},
    };
    openWindow();
    servo.mark();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("row ") + std::to_string(c.row) + " text '" + c.text + "'");
        selectOnly(c.row);
        Shown shown;
        answerFlashEdit(c.text, shown);
        openFlashEdit();
        EXPECT_EQ(cell(c.row, 3), c.cell);
    }
    EXPECT_TRUE(settledPackets().empty());
}

TEST_F(EditDialogs, FlashEditShowsTheRamValueAndAnEmptyTextClearsTheCell)
{
    openWindow();
    selectOnly(18);
    setFlashCell(hwnd, 18, "0x0010");
    Shown shown;
    answerFlashEdit("", shown);
    openFlashEdit();
    EXPECT_EQ(shown.name, "M_POS");
    EXPECT_EQ(shown.value, "0000");
    EXPECT_EQ(cell(18, 3), "");
    char text[64] = "stale";
    getFlashCell(hwnd, 18, text, sizeof text);
    EXPECT_STREQ(text, "");
}

}  // namespace
