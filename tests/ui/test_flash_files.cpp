// Saving the FLASH column to a text file and loading it back, through the
// File menu and the real common dialogs.
#include "tests/ui/window_harness.h"

#include "ui/resources/resource.h"
#include "ui/window.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 63;
constexpr int kFileNameField = 0x47C;  // the common file dialog's file-name box

using Column = std::vector<std::string>;
using Packets = std::vector<std::string>;

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// Files in the folder of path whose names start with path's name, path's own excepted.
std::vector<std::string> leftovers(const std::string& path)
{
    std::filesystem::path target(path);
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(target.parent_path())) {
        std::string name = entry.path().filename().string();
        if (name != target.filename().string() && name.starts_with(target.filename().string()))
            found.push_back(name);
    }
    return found;
}

class FlashFiles : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        openWindow();
    }

    // The file-name box as the dialog opened, then the path typed and OK.
    void answerOpenDialog(const std::string& path)
    {
        dialogs.answer("ファイルを開く", [this, path](HWND dialog) {
            proposed = controlText(GetDlgItem(dialog, kFileNameField));
            setControlText(dialog, kFileNameField, path);
            pressButton(dialog, IDOK);
        });
    }

    // The overwrite question comes under the same caption: Yes.
    void answerSaveDialog(const std::string& path)
    {
        dialogs.answer("ファイルを保存", [path](HWND dialog) {
            if (GetDlgItem(dialog, kFileNameField) == nullptr) {
                pressButton(dialog, IDYES);
                return;
            }
            setControlText(dialog, kFileNameField, path);
            pressButton(dialog, IDOK);
        });
    }

    void load(const std::string& path)
    {
        answerOpenDialog(path);
        chooseMenu(IDM_OPEN);
    }

    void save(const std::string& path)
    {
        answerSaveDialog(path);
        chooseMenu(IDM_SAVE);
    }

    void fillColumn(const char* text)
    {
        for (int row = 0; row < kRows; ++row)
            setFlashCell(hwnd, row, text);
    }

    Column flashColumn() const
    {
        Column column;
        for (int row = 0; row < kRows; ++row)
            column.push_back(cell(row, 3));
        return column;
    }

    // The column after loading bytes into a column of "old" texts.
    Column loadOver(const std::string& bytes)
    {
        TempFile file({}, ".txt");
        writeFile(file.path(), bytes);
        fillColumn("old");
        load(file.path());
        return flashColumn();
    }

    std::vector<std::string> titlesSeen() const
    {
        std::vector<std::string> titles;
        for (const SeenDialog& seen : dialogs.seen())
            titles.push_back(seen.title);
        return titles;
    }

    std::string proposed;
};

Column oldExcept(std::initializer_list<std::pair<int, const char*>> changes)
{
    Column column(kRows, "old");
    for (const auto& [row, text] : changes)
        column[static_cast<std::size_t>(row)] = text;
    return column;
}

TEST_F(FlashFiles, SaveWritesOneLinePerStagedCellAndLoadBringsTheColumnBack)
{
    TempFile file({}, ".txt");
    std::filesystem::remove(file.path());
    setFlashCell(hwnd, 0, "0x0C35");
    setFlashCell(hwnd, 4, "0x01");
    setFlashCell(hwnd, 18, "0x03E8");
    setFlashCell(hwnd, 62, "0x29");
    Column saved = flashColumn();
    // Typed without its extension: the dialog adds "txt".
    save(file.path().substr(0, file.path().size() - 4));
    EXPECT_EQ(readFile(file.path()), "0 0x0C35\r\n4 0x01\r\n18 0x03E8\r\n62 0x29\r\n");
    EXPECT_TRUE(leftovers(file.path()).empty());
    EXPECT_STRCASEEQ(fileName, file.path().c_str());

    fillColumn(nullptr);
    setFlashCell(hwnd, 10, "0x10");
    load(file.path());
    EXPECT_EQ(flashColumn(), saved);
    // The one file-name buffer: the open dialog proposed the file just saved.
    EXPECT_STRCASEEQ(proposed.c_str(), std::filesystem::path(file.path()).filename().string().c_str());
    EXPECT_EQ(titlesSeen(), (std::vector<std::string>{"ファイルを保存", "ファイルを開く"}));
    EXPECT_TRUE(packets().empty());
}

TEST_F(FlashFiles, ASavedFileLoadsBackAndWritesToTheServo)
{
    TempFile file({}, ".txt");
    click(IDC_CONNECT);
    setFlashCell(hwnd, 18, "0x03E8");  // M_POS, 0x20
    setFlashCell(hwnd, 33, "0x05");    // FB_EDB, 0x3A
    save(file.path());
    fillColumn(nullptr);
    load(file.path());
    servo.mark();
    click(IDC_WRITE);
    Packets expected = {"BF 02 00 00 68 07 11", "BF 61 09 01", "BF 02 20 00 68 07 71", "BF 01 3A 00 05 41",
                        "BF 61 09 01"};
    Packets reads = readAllPackets(0x3F);
    expected.insert(expected.end(), reads.begin(), reads.end());
    EXPECT_EQ(packets(11), expected);
}

TEST_F(FlashFiles, LoadClearsTheRowsBeforeAndBetweenTheListedOnesAndKeepsTheRest)
{
    EXPECT_EQ(loadOver("3 0x03\n7 0x07\n"),
              oldExcept({{0, ""}, {1, ""}, {2, ""}, {3, "0x03"}, {4, ""}, {5, ""}, {6, ""}, {7, "0x07"}}));
    // Out of order: row 6 is passed over, row 7 is cleared.
    EXPECT_EQ(loadOver("5 0x05\n3 0x03\n8 0x08\n"),
              oldExcept({{0, ""}, {1, ""}, {2, ""}, {3, "0x03"}, {4, ""}, {5, "0x05"}, {7, ""}, {8, "0x08"}}));
    // Texts go in as they are; a negative index sets nothing but moves past row 0.
    EXPECT_EQ(loadOver("-1 0x0F\n2 zz\n"), oldExcept({{1, ""}, {2, "zz"}}));
    EXPECT_EQ(loadOver(""), oldExcept({}));
}

TEST_F(FlashFiles, AnIndexBeyondTheListEmptiesEveryCell)
{
    Column empty(kRows, "");
    EXPECT_EQ(loadOver("100 0x01\n"), empty);
    EXPECT_EQ(loadOver("99999999999999999999 0x01\n"), empty);
}

TEST_F(FlashFiles, LineEndsAndSeparatorsAreAllWhiteSpace)
{
    Column expected = oldExcept({{0, ""}, {1, ""}, {2, ""}, {3, "0x03"}, {4, ""}, {5, ""}, {6, ""}, {7, "0x07"}});
    EXPECT_EQ(loadOver("3 0x03\r\n7 0x07\r\n"), expected);
    EXPECT_EQ(loadOver("3 0x03\n7 0x07\n"), expected);
    EXPECT_EQ(loadOver("3\t0x03 7\n\n0x07"), expected);
}

TEST_F(FlashFiles, MalformedInputEndsTheLoadAndAnOverlongTextIsSkipped)
{
    // A token that is no number ends the load.
    EXPECT_EQ(loadOver("2 0x0A\nfoo 0x0B\n4 0x0C\n"), oldExcept({{0, ""}, {1, ""}, {2, "0x0A"}}));
    // So does a last index without its text: no text of an earlier line is reused.
    EXPECT_EQ(loadOver("2 0x0A\n5\n"), oldExcept({{0, ""}, {1, ""}, {2, "0x0A"}}));
    // A text of 256 characters is dropped with its index; 255 still fit.
    const std::string fits(255, 'a');
    EXPECT_EQ(loadOver("1 " + std::string(256, 'b') + "\n3 0x03\n"),
              oldExcept({{0, ""}, {1, ""}, {2, ""}, {3, "0x03"}}));
    EXPECT_EQ(loadOver("1 " + fits + "\n"), oldExcept({{0, ""}, {1, fits.c_str()}}));
    // A text with a NUL byte could not be shown whole: dropped with its index.
    EXPECT_EQ(loadOver(std::string("1 0x\0A\n3 0x03\n", 14)), oldExcept({{0, ""}, {1, ""}, {2, ""}, {3, "0x03"}}));
}

TEST_F(FlashFiles, AFileThatCannotBeOpenedLeavesTheListAsItWas)
{
    TempFile file({}, ".txt");
    writeFile(file.path(), "3 0x03\n");
    fillColumn("old");
    {
        // Held open by another program that shares it with no one.
        HANDLE held = CreateFileA(file.path().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        load(file.path());
        CloseHandle(held);
    }
    EXPECT_EQ(titlesSeen(), std::vector<std::string>{"ファイルを開く"});
    EXPECT_EQ(flashColumn(), oldExcept({}));
}

TEST_F(FlashFiles, SavingAnEmptyColumnCreatesOrEmptiesTheFile)
{
    TempFile fresh({}, ".txt");
    std::filesystem::remove(fresh.path());
    save(fresh.path());
    ASSERT_TRUE(std::filesystem::exists(fresh.path()));
    EXPECT_EQ(readFile(fresh.path()), "");

    TempFile existing({}, ".txt");
    writeFile(existing.path(), "3 0x03\r\n");
    save(existing.path());
    EXPECT_EQ(readFile(existing.path()), "");
    EXPECT_TRUE(leftovers(existing.path()).empty());
}

TEST_F(FlashFiles, AFailedSaveKeepsThePreviousFile)
{
    setFlashCell(hwnd, 4, "0x01");
    TempFile file({}, ".txt");
    writeFile(file.path(), "3 0x03\r\n");

    SetFileAttributesA(file.path().c_str(), FILE_ATTRIBUTE_READONLY);
    save(file.path());
    SetFileAttributesA(file.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(readFile(file.path()), "3 0x03\r\n");
    // The dialog and its overwrite question, nothing else.
    const std::vector<std::string> saveDialogs = {"ファイルを保存", "ファイルを保存"};
    EXPECT_EQ(titlesSeen(), saveDialogs);
    dialogs.clear();

    {
        HANDLE held = CreateFileA(file.path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        save(file.path());
        CloseHandle(held);
    }
    EXPECT_EQ(titlesSeen(), saveDialogs);
    EXPECT_EQ(readFile(file.path()), "3 0x03\r\n");
    EXPECT_TRUE(leftovers(file.path()).empty());
}

}  // namespace
