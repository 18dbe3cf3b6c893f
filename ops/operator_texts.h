// What the windows tell the operator in their boxes: English, the Qt
// window's source language and orvelin's, and Japanese, the Win32 window's
// own texts (UTF-8). One place for both windows and the command line.
#pragma once

#include <array>
#include <cstddef>

enum class OperatorText {
    ClearDone,
    ClearDoneTitle,
    FlashDone,
    FlashDoneTitle,
    UpdateDone,
    UpdateDoneTitle,
    UpdateErrorTitle,
    UpdateFileCannotOpen,
    UpdateBadFile,
    UpdateNoAnswer,
    UpdateRejected,
    UpdateUnknown,
    PortTestFailed,
    PortTestFailedTitle,
    PortOpenFatal,
    PortOpenFatalTitle,
};

struct Wording {
    const char* english;
    const char* japanese;
};

struct OperatorTextEntry {
    OperatorText text;
    Wording wording;
};

inline constexpr std::array kOperatorTexts = {
    OperatorTextEntry{OperatorText::ClearDone,
                      {"Restart the ORVELIN and press OK", "ORVELINを再起動してOKを押してください"}},
    OperatorTextEntry{OperatorText::ClearDoneTitle, {"Settings cleared", "消去完了"}},
    OperatorTextEntry{OperatorText::FlashDone, {"The FLASH write is complete.", "FLASHの書き込みが完了しました"}},
    OperatorTextEntry{OperatorText::FlashDoneTitle, {"Write finished", "書き込み完了"}},
    OperatorTextEntry{OperatorText::UpdateDone,
                      {"The firmware has been written.\nRestart the ORVELIN and press OK",
                       "ファームウェアの書き込みが完了しました\nORVELINを再起動してOKを押してください"}},
    OperatorTextEntry{OperatorText::UpdateDoneTitle, {"Firmware update finished", "ファームアップデート完了"}},
    OperatorTextEntry{OperatorText::UpdateErrorTitle, {"Update error", "アップデートエラー"}},
    OperatorTextEntry{OperatorText::UpdateFileCannotOpen,
                      {"The firmware cannot be written", "ファームウェアの書き込みができません"}},
    OperatorTextEntry{OperatorText::UpdateBadFile,
                      {"The update file is not valid", "アップデートファイルが正しくありません"}},
    OperatorTextEntry{OperatorText::UpdateNoAnswer, {"No answer from the ORVELIN", "ORVELINから応答がありません"}},
    OperatorTextEntry{OperatorText::UpdateRejected, {"The checksum is not correct", "チェックサムが正しくありません"}},
    OperatorTextEntry{OperatorText::UpdateUnknown, {"An unknown error occurred", "不明なエラーが発生してまいました"}},
    OperatorTextEntry{OperatorText::PortTestFailed, {"The COM port cannot be opened", "COMポートが開けません"}},
    OperatorTextEntry{OperatorText::PortTestFailedTitle, {"Communication error", "通信エラー"}},
    OperatorTextEntry{OperatorText::PortOpenFatal, {"serial_open", "serial_open"}},
    OperatorTextEntry{OperatorText::PortOpenFatalTitle, {"Error", "Error"}},
};

constexpr const Wording& wording(OperatorText text)
{
    return kOperatorTexts[static_cast<std::size_t>(text)].wording;
}

static_assert(
    [] {
        for (std::size_t k = 0; k < kOperatorTexts.size(); ++k)
            if (static_cast<std::size_t>(kOperatorTexts[k].text) != k)
                return false;
        return true;
    }(),
    "one entry per text, in the order of the enum");
