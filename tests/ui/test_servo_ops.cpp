// Settings clear, FLASH write and firmware update from the buttons and menus,
// as the servo sees them and as the operator is told.
#include "tests/ui/window_harness.h"

#include "ui/resources/resource.h"
#include "ui/window.h"

#include <string>
#include <vector>

namespace {

using Packets = std::vector<std::string>;

// Packets of the fixed command lines, with the ID 3F.
const std::string kClear = "BF 02 00 00 68 07 11";    // f 0 3e8
const std::string kRestartPacket = "BF 61 09 01";           // w 9 1
const std::string kUnlockPacket = "BF 61 14 6A";            // w 14 6a
const std::string kUpload123 = "BF 03 00 20 01 02 03 5A";  // the update file 01 02 03

constexpr int kFileNameField = 0x47C;  // the common file dialog's file-name box

const std::string kClearText = "ORVELINを再起動してOKを押してください";
const std::string kUpdateDoneText = "ファームウェアの書き込みが完了しました\nORVELINを再起動してOKを押してください";

Packets operator+(Packets first, const Packets& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

class ServoOps : public MainWindowTest {
protected:
    // Connected, with the connect's own read and boxes behind us.
    void connect()
    {
        openWindow();
        click(IDC_CONNECT);
        servo.mark();
        dialogs.clear();
    }

    // Answers the box with this caption with OK, noting which packets had
    // arrived when it came up.
    void notePacketsAt(const std::string& title, Packets& at, std::size_t expected)
    {
        dialogs.answer(title, [this, &at, expected](HWND box) {
            at = servo.packets(expected);
            pressButton(box, IDOK);
        });
    }

    void answerFirmwareDialog(const std::string& path)
    {
        dialogs.answer("ファームウェアファイルを開く", [path](HWND dialog) {
            setControlText(dialog, kFileNameField, path);
            pressButton(dialog, IDOK);
        });
    }

    // Whatever is still on its way has arrived.
    Packets settledPackets()
    {
        pump(300);
        return packets();
    }
};

TEST_F(ServoOps, ClearSendsTheClearAndTheRestartThenShowsItsBoxAndRefreshes)
{
    connect();
    Packets atBox;
    notePacketsAt("消去完了", atBox, 2);
    click(IDC_CLEAR);
    EXPECT_EQ(atBox, (Packets{kClear, kRestartPacket}));
    EXPECT_EQ(packets(8), (Packets{kClear, kRestartPacket} + readAllPackets(0x3F)));
    auto seen = dialogs.seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, "消去完了");
    EXPECT_EQ(seen[0].text, kClearText);
    EXPECT_EQ(seen[0].icon, 0u);
    EXPECT_EQ(seen[0].owner, hwnd);
}

TEST_F(ServoOps, TheClearMenuWorksWithThePortOfTheConfigurationBeforeAnyConnect)
{
    openWindow();
    servo.mark();
    chooseMenu(IDM_CLEAR);
    EXPECT_EQ(packets(8), (Packets{kClear, kRestartPacket} + readAllPackets(0x3F)));
    auto seen = dialogs.seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, "消去完了");
}

TEST_F(ServoOps, FlashWriteWithAnEmptyColumnClearsRestartsTwiceAndRefreshes)
{
    connect();
    Packets atClearBox;
    Packets atWriteBox;
    notePacketsAt("消去完了", atClearBox, 2);
    notePacketsAt("書き込み完了", atWriteBox, 3);
    click(IDC_WRITE);
    EXPECT_EQ(atClearBox, (Packets{kClear, kRestartPacket}));
    EXPECT_EQ(atWriteBox, (Packets{kClear, kRestartPacket, kRestartPacket}));
    EXPECT_EQ(packets(9), (Packets{kClear, kRestartPacket, kRestartPacket} + readAllPackets(0x3F)));
    auto seen = dialogs.seen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].title, "消去完了");
    EXPECT_EQ(seen[0].text, kClearText);
    EXPECT_EQ(seen[0].icon, 0u);
    EXPECT_EQ(seen[1].title, "書き込み完了");
    EXPECT_EQ(seen[1].text, "FLASHの書き込みが完了しました");
    EXPECT_EQ(seen[1].icon, 0u);
    EXPECT_EQ(seen[0].owner, hwnd);
    EXPECT_EQ(seen[1].owner, hwnd);
}

TEST_F(ServoOps, FlashWriteSendsTheStagedCellsInRowOrderWithoutTheirFirstTwoCharacters)
{
    connect();
    setFlashCell(hwnd, 33, "0x05");    // FB_EDB, 0x3A
    setFlashCell(hwnd, 18, "0x03E8");  // M_POS, 0x20
    setFlashCell(hwnd, 5, "1234");     // SYS_BR, 0x0A: a loaded text without prefix
    setFlashCell(hwnd, 4, "0x01");     // SYS_RST, 0x09
    setFlashCell(hwnd, 6, "7");        // one or two characters: nothing after the prefix
    setFlashCell(hwnd, 7, "0x");
    Packets atWriteBox;
    notePacketsAt("書き込み完了", atWriteBox, 7);
    chooseMenu(IDM_WRITE_FLASH);
    Packets writes = {
        kClear, kRestartPacket,
        "BF 01 09 00 01 76",     // f 9 01
        "BF 02 0A 00 34 00 42",  // f a 34
        "BF 02 20 00 68 07 71",  // f 20 03E8
        "BF 01 3A 00 05 41",     // f 3a 05
        kRestartPacket,
    };
    EXPECT_EQ(atWriteBox, writes);
    EXPECT_EQ(packets(13), writes + readAllPackets(0x3F));
    // The staged values stay for the next write.
    EXPECT_EQ(cell(18, 3), "0x03E8");
    EXPECT_EQ(cell(5, 3), "1234");
    EXPECT_EQ(cell(6, 3), "7");
}

TEST_F(ServoOps, UpdateThroughTheFileDialogUnlocksUploadsRestartsAndRefreshes)
{
    TempFile firmware({0x01, 0x02, 0x03});
    connect();
    answerFirmwareDialog(firmware.path());
    Packets atBox;
    notePacketsAt("ファームアップデート完了", atBox, 3);
    chooseMenu(IDM_UPDATE);
    EXPECT_EQ(atBox, (Packets{kUnlockPacket, kUpload123, kRestartPacket}));
    EXPECT_EQ(packets(9), (Packets{kUnlockPacket, kUpload123, kRestartPacket} + readAllPackets(0x3F)));
    auto seen = dialogs.seen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].title, "ファームウェアファイルを開く");
    EXPECT_EQ(seen[1].title, "ファームアップデート完了");
    EXPECT_EQ(seen[1].text, kUpdateDoneText);
    EXPECT_EQ(seen[1].icon, 0u);
    EXPECT_EQ(seen[0].owner, hwnd);
    EXPECT_EQ(seen[1].owner, hwnd);
    EXPECT_STRCASEEQ(fileName, firmware.path().c_str());
}

TEST_F(ServoOps, CancellingTheFirmwareDialogSendsNothing)
{
    connect();
    dialogs.answer("ファームウェアファイルを開く", [](HWND dialog) { pressButton(dialog, IDCANCEL); });
    chooseMenu(IDM_UPDATE);
    EXPECT_TRUE(settledPackets().empty());
    auto seen = dialogs.seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, "ファームウェアファイルを開く");
}

TEST_F(ServoOps, EachUpdateFailureShowsItsBoxAndSendsNoRestartAndNoRead)
{
    TempFile good({0x01, 0x02, 0x03});
    TempFile eighthBitSet({0x01, 0x80, 0x03});
    const std::string tooLong = "C:\\" + std::string(253, 'a') + ".upd";  // 260 characters
    Packets fiveAttempts = {kUpload123, kUpload123, kUpload123, kUpload123, kUpload123};
    struct Case {
        const char* name;
        const char* control;
        std::string path;
        const char* text;
        Packets sent;
    };
    const Case cases[] = {
        {"missing file", "", "C:\\no such folder\\fw.upd", "ファームウェアの書き込みができません", {kUnlockPacket}},
        {"path beyond 255", "", tooLong, "ファームウェアの書き込みができません", {}},
        {"byte 0x80", "", eighthBitSet.path(), "アップデートファイルが正しくありません", {kUnlockPacket}},
        {"silent servo", "silent 1", good.path(), "ORVELINから応答がありません", Packets{kUnlockPacket} + fiveAttempts},
        {"rejecting servo", "reject 5", good.path(), "チェックサムが正しくありません",
         Packets{kUnlockPacket} + fiveAttempts},
    };
    servo.control("set 20=68,07");
    connect();
    ASSERT_EQ(cell(18, 2), "0x03E8");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (*c.control != '\0')
            servo.control(c.control);
        servo.mark();
        dialogs.clear();
        updateFirm(hwnd, c.path.c_str());
        EXPECT_EQ(settledPackets(), c.sent);
        auto seen = dialogs.seen();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].title, "アップデートエラー");
        EXPECT_EQ(seen[0].text, c.text);
        EXPECT_EQ(seen[0].icon, static_cast<UINT>(MB_ICONERROR));
        EXPECT_EQ(seen[0].owner, hwnd);
        EXPECT_EQ(cell(18, 2), "0x03E8");
        servo.control("reset");
        servo.control("set 20=68,07");
    }
}

}  // namespace
