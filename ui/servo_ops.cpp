// Operations that change what the servo keeps: settings clear, FLASH write of
// the staged values, firmware update. The sequences are the shared ones;
// this file adds the window's boxes.
#include "ui/file_dialogs.h"
#include "ops/servo_operations.h"
#include "ui/window.h"

#include <string>

namespace {

const FileDialogTexts kFirmwareDialog = {
    L"ファームウェアファイル(*.upd)\0*.upd\0全てのファイル(*.*)\0*.*\0",
    L"ファームウェアファイルを開く",
    L"upd",
};

constexpr int kFlashCellBuffer = 64;  // the FLASH write reads 63 characters of a cell

}  // namespace

int clearFlash(HWND hwnd)
{
    int answer = 0;
    clearSettings(windowSender(hwnd), [&] {
        answer = showBox(hwnd, OperatorText::ClearDone, OperatorText::ClearDoneTitle, MB_OK);
        return true;
    });
    return answer;
}

int setFlash(HWND hwnd)
{
    auto cellOf = [hwnd](int row) {
        char cell[kFlashCellBuffer] = {};
        getFlashCell(hwnd, row, cell, sizeof cell);
        return std::string(cell);
    };
    writeFlash(windowSender(hwnd), cellOf, [hwnd] {
        showBox(hwnd, OperatorText::ClearDone, OperatorText::ClearDoneTitle, MB_OK);
        return true;
    });
    return showBox(hwnd, OperatorText::FlashDone, OperatorText::FlashDoneTitle, MB_OK);
}

void updateFirm(HWND hwnd, const char* path)
{
    UpdateOutcome outcome = updateFirmware(windowSender(hwnd), path);
    if (outcome != UpdateOutcome::Written) {
        showBox(hwnd, updateErrorText(outcome), OperatorText::UpdateErrorTitle, MB_OK | MB_ICONERROR);
        return;
    }
    showBox(hwnd, OperatorText::UpdateDone, OperatorText::UpdateDoneTitle, MB_OK);
    readToSerial(hwnd);
}

void chooseAndUpdateFirmware(HWND hwnd)
{
    if (chooseFileToOpen(hwnd, kFirmwareDialog))
        updateFirm(hwnd, fileName);
}
