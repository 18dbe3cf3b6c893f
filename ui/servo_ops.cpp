// Operations that change what the servo keeps: settings clear, FLASH write of
// the staged values, firmware update.
#include "file_dialogs.h"
#include "lasterror.h"
#include "registers.h"
#include "term.h"
#include "upload.h"
#include "window.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// term builds its packets in the line buffer, so every buffer is at least that big.
constexpr int bufferSize(int lineLength)
{
    return std::max(lineLength + 1, kCommandBufferMin);
}

// "f", a blank, two address digits, a blank and up to 61 characters of a
// 63-character cell.
constexpr int kFlashCellMax = 63;
constexpr int kFlashLineSize = bufferSize(6 + kFlashCellMax - 2);
// "u", a blank and the longest path a file dialog can deliver.
constexpr int kUploadLineSize = bufferSize(2 + kFileNameSize - 1);

// The prefix that the FLASH write drops unchecked ("0x" in the edit dialog's texts).
constexpr std::size_t kCellPrefix = 2;

void sendLine(HWND hwnd, const char* text)
{
    char line[bufferSize(16)];
    std::snprintf(line, sizeof line, "%s", text);
    mainCmd(hwnd, line);
}

const wchar_t kUpdateErrorTitle[] = L"アップデートエラー";

const wchar_t* updateErrorText(DWORD code)
{
    switch (code) {
    case kUploadOpenFailed:
        return L"ファームウェアの書き込みができません";
    case kUploadNot7Bit:
        return L"アップデートファイルが正しくありません";
    case kUploadNoAck:
        return L"ORVELINから応答がありません";
    case kUploadRejected:
        return L"チェックサムが正しくありません";
    default:
        return L"不明なエラーが発生してまいました";
    }
}

void showUpdateError(HWND hwnd, DWORD code)
{
    MessageBoxW(hwnd, updateErrorText(code), kUpdateErrorTitle, MB_OK | MB_ICONERROR);
}

const FileDialogTexts kFirmwareDialog = {
    L"ファームウェアファイル(*.upd)\0*.upd\0全てのファイル(*.*)\0*.*\0",
    L"ファームウェアファイルを開く",
    L"upd",
};

}  // namespace

int clearFlash(HWND hwnd)
{
    sendLine(hwnd, "f 0 3e8");
    sendLine(hwnd, "w 9 1");
    return MessageBoxW(hwnd, L"ORVELINを再起動してOKを押してください", L"消去完了", MB_OK);
}

int setFlash(HWND hwnd)
{
    clearFlash(hwnd);
    for (int i = 0; i < kParamRows && paramtbl[i].size != 0; ++i) {
        char cell[kFlashCellMax + 1] = {};
        getFlashCell(hwnd, i, cell, sizeof cell);
        // A cell of one or two characters has no value after its prefix.
        if (std::strlen(cell) <= kCellPrefix)
            continue;
        char line[kFlashLineSize];
        std::snprintf(line, sizeof line, "f %x %s", paramtbl[i].address, cell + kCellPrefix);
        mainCmd(hwnd, line);
    }
    sendLine(hwnd, "w 9 1");
    return MessageBoxW(hwnd, L"FLASHの書き込みが完了しました", L"書き込み完了", MB_OK);
}

void updateFirm(HWND hwnd, const char* path)
{
    // The upload command takes no longer path; nothing, not even the unlock, goes out for it.
    if (std::strlen(path) > static_cast<std::size_t>(kUploadPathMax)) {
        showUpdateError(hwnd, kUploadOpenFailed);
        return;
    }
    sendLine(hwnd, "w 14 6a");
    char line[kUploadLineSize];
    std::snprintf(line, sizeof line, "u %s", path);
    if (mainCmd(hwnd, line) != 0) {
        showUpdateError(hwnd, GetLastError());
        return;
    }
    sendLine(hwnd, "w 9 1");
    MessageBoxW(hwnd, L"ファームウェアの書き込みが完了しました\nORVELINを再起動してOKを押してください",
                L"ファームアップデート完了", MB_OK);
    readToSerial(hwnd);
}

void chooseAndUpdateFirmware(HWND hwnd)
{
    if (chooseFileToOpen(hwnd, kFirmwareDialog))
        updateFirm(hwnd, fileName);
}
