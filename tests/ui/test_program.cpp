// The program itself, run as a user starts it: WinMain's window and loop,
// the box that ends it when a command cannot open its port, and the trace
// file. Each test runs a copy of orvelin-programmer.exe in a folder of its
// own, beside its own servoconf.ini.
#include "tests/ui/window_harness.h"

#include "ops/flash_column.h"
#include "ui/resources/resource.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

constexpr DWORD kExitWaitMs = 20000;
constexpr auto kWindowWait = std::chrono::seconds(20);

class Program : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(servo.attach()) << "no virtual servo: run the test through tests/wine/run.sh";
        std::filesystem::copy_file(exeFolder() + "orvelin-programmer.exe", folder / "orvelin-programmer.exe");
    }

    void TearDown() override
    {
        watcher.reset();
        if (process.hProcess != nullptr) {
            if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(process.hProcess, 99);
            WaitForSingleObject(process.hProcess, kExitWaitMs);
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        }
    }

    // Starts the program with this configuration; the window is then in
    // `window` and its boxes are answered by `watcher`.
    void start(const std::string& port, const std::string& baud)
    {
        std::string ini = (folder / "servoconf.ini").string();
        WritePrivateProfileStringA("SERIAL", "PORT", port.c_str(), ini.c_str());
        WritePrivateProfileStringA("SERIAL", "BAUDRATE", baud.c_str(), ini.c_str());
        std::wstring exe = (folder / "orvelin-programmer.exe").wstring();
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        ASSERT_TRUE(CreateProcessW(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, folder.wstring().c_str(),
                                   &startup, &process));
        watcher = std::make_unique<DialogWatcher>(process.dwThreadId);
        window = watcher->ignoreWindow([this] { return waitForMainWindow(); });
        ASSERT_NE(window, nullptr) << "the program showed no window";
    }

    HWND waitForMainWindow() const
    {
        auto deadline = std::chrono::steady_clock::now() + kWindowWait;
        while (std::chrono::steady_clock::now() < deadline) {
            HWND found = nullptr;
            EnumThreadWindows(
                process.dwThreadId,
                [](HWND candidate, LPARAM result) {
                    if (!IsWindowVisible(candidate) || GetWindow(candidate, GW_OWNER) != nullptr)
                        return TRUE;
                    *reinterpret_cast<HWND*>(result) = candidate;
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(&found));
            if (found != nullptr)
                return found;
            Sleep(50);
        }
        return nullptr;
    }

    // What a click on a button or a menu choice posts to the window.
    void post(int id) const
    {
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    }

    DWORD exitStatus() const
    {
        if (WaitForSingleObject(process.hProcess, kExitWaitMs) != WAIT_OBJECT_0)
            return STILL_ACTIVE;
        DWORD status = 0;
        GetExitCodeProcess(process.hProcess, &status);
        return status;
    }

    ServoLink servo;
    TempFolder scratch;
    std::filesystem::path folder = scratch.path();
    PROCESS_INFORMATION process{};
    std::unique_ptr<DialogWatcher> watcher;
    HWND window = nullptr;
};

TEST_F(Program, ShowsTheMainWindowAndEndsWith0AtExit)
{
    start(servo.portName(), "115200");
    wchar_t caption[64] = {};
    InternalGetWindowText(window, caption, 64);
    EXPECT_EQ(narrow(caption), "ORVELINプログラマ Ver.1.07");
    post(IDC_EXIT);
    EXPECT_EQ(exitStatus(), 0u);
    EXPECT_TRUE(watcher->seen().empty());
}

TEST_F(Program, ClosingTheWindowEndsTheProgram)
{
    start(servo.portName(), "115200");
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(exitStatus(), 0u);
}

TEST_F(Program, ACommandThatCannotOpenItsPortEndsWithTheSerialOpenBoxAndStatus1)
{
    start("COM250", "115200");
    servo.mark();
    post(IDM_READ_RAM);
    EXPECT_EQ(exitStatus(), 1u);
    auto seen = watcher->seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, "Error");
    EXPECT_EQ(seen[0].text, "serial_open");
    // Another process's icon is only told from none.
    EXPECT_NE(seen[0].icon, 0u);
    EXPECT_EQ(seen[0].owner, nullptr);
    EXPECT_TRUE(servo.packets(1).empty());
    // With nothing staged there is nothing to keep.
    EXPECT_FALSE(std::filesystem::exists(folder / "orvelin-recovered-values.txt"));
}

TEST_F(Program, SendsTheTraceToTheFileThatOrvelinTraceNames)
{
    std::string trace = (folder / "trace.txt").string();
    SetEnvironmentVariableA("ORVELIN_TRACE", trace.c_str());
    servo.control("set 20=68,07");
    start(servo.portName(), "115200");
    SetEnvironmentVariableA("ORVELIN_TRACE", nullptr);
    post(IDM_READ_RAM);
    post(IDC_EXIT);
    ASSERT_EQ(exitStatus(), 0u);
    std::ifstream in(trace);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("(w:19)(r:16)"), std::string::npos) << text.str();
    EXPECT_NE(text.str().find("20:M_POS  =03e8"), std::string::npos) << text.str();
}

}  // namespace

namespace {

constexpr int kFileNameField = 1148;  // the file-name box of the common open dialog

TEST_F(Program, StagedValuesSurviveTheEndOfTheProgramInARecoveryFile)
{
    // A port that never opens, so the first command ends the program.
    const std::string staged = "4 0x01\r\n18 0x03E8\r\n33 0x05\r\n";
    std::string values = (folder / "staged.txt").string();
    std::ofstream(values, std::ios::binary) << staged;
    std::ofstream(folder / "orvelin-recovered-values.txt", std::ios::binary) << "an older recovery\r\n";
    start("COM250", "115200");
    // The command goes only once the dialog has gone and the values are in the list.
    watcher->answer("ファイルを開く", [this, values](HWND dialog) {
        setControlText(dialog, kFileNameField, values);
        pressButton(dialog, IDOK);
        for (int k = 0; k < 500 && IsWindow(dialog); ++k)
            Sleep(10);
        post(IDM_READ_RAM);
    });
    post(IDM_OPEN);
    EXPECT_EQ(exitStatus(), 1u);
    auto seen = watcher->seen();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back().text, "serial_open");

    // Written beside servoconf.ini, never over an earlier recovery file.
    std::ifstream older(folder / "orvelin-recovered-values.txt", std::ios::binary);
    std::stringstream olderText;
    olderText << older.rdbuf();
    EXPECT_EQ(olderText.str(), "an older recovery\r\n");
    std::string recovered = (folder / "orvelin-recovered-values-2.txt").string();
    FILE* in = std::fopen(recovered.c_str(), "r");
    ASSERT_NE(in, nullptr) << "no recovery file";
    FlashColumn column;
    EXPECT_EQ(column.load(in), FlashToken::End);
    std::fclose(in);
    EXPECT_EQ(column.cell(4), "0x01");
    EXPECT_EQ(column.cell(18), "0x03E8");
    EXPECT_EQ(column.cell(33), "0x05");
    EXPECT_EQ(column.fileText("\r\n"), staged);
}

}  // namespace
