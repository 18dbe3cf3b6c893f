// The File menu: the list's FLASH column saved to a text file and loaded back.
#include "ui/file_dialogs.h"
#include "ui/window.h"

#include <cstdio>
#include <memory>

namespace {

const wchar_t kTextFilter[] = L"テキストファイル(*.txt)\0*.txt\0全てのファイル(*.*)\0*.*\0";
const FileDialogTexts kLoadDialog = {kTextFilter, L"ファイルを開く", L"txt"};
const FileDialogTexts kSaveDialog = {kTextFilter, L"ファイルを保存", L"txt"};

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

}  // namespace

void saveFlashFile(HWND hwnd)
{
    if (!chooseFileToSave(hwnd, kSaveDialog))
        return;
    // A failed save leaves the previous file as it was.
    stagedColumn(hwnd).save(fileName, "\r\n");
}

void loadFlashFile(HWND hwnd)
{
    if (!chooseFileToOpen(hwnd, kLoadDialog))
        return;
    std::unique_ptr<FILE, FileCloser> in(std::fopen(fileName, "r"));
    if (!in)
        return;
    FlashColumn column = stagedColumn(hwnd);
    column.load(in.get());
    showStagedColumn(hwnd, column);
}
