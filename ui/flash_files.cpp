// Saving the list's FLASH column to a text file and loading it back.
#include "file_dialogs.h"
#include "file_replace.h"
#include "flash_value_file.h"
#include "resources/resource.h"
#include "window.h"

#include <commctrl.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

const wchar_t kTextFilter[] = L"テキストファイル(*.txt)\0*.txt\0全てのファイル(*.*)\0*.*\0";
const FileDialogTexts kLoadDialog = {kTextFilter, L"ファイルを開く", L"txt"};
const FileDialogTexts kSaveDialog = {kTextFilter, L"ファイルを保存", L"txt"};

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

int listRows(HWND hwnd)
{
    return static_cast<int>(SendDlgItemMessageA(hwnd, IDC_PARAM_LIST, LVM_GETITEMCOUNT, 0, 0));
}

}  // namespace

void saveFlashFile(HWND hwnd)
{
    if (!chooseFileToSave(hwnd, kSaveDialog))
        return;
    auto cellOf = [hwnd](int row, char (&cell)[kFlashCellSize]) { getFlashCell(hwnd, row, cell, kFlashCellSize); };
    std::string contents = flashValuesText(listRows(hwnd), cellOf, "\r\n");
    // Through a new file renamed over the old one: a failed save leaves the
    // previous file as it was.
    replaceFileContents(fileName, contents);
}

void loadFlashFile(HWND hwnd)
{
    if (!chooseFileToOpen(hwnd, kLoadDialog))
        return;
    std::unique_ptr<FILE, FileCloser> in(std::fopen(fileName, "r"));
    if (!in)
        return;
    loadFlashValues(in.get(), listRows(hwnd), [hwnd](int row, const char* text) { setFlashCell(hwnd, row, text); });
}
