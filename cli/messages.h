// Everything orvelin says to people, in English or, when the locale is
// Japanese, in Japanese (the window's own texts where they mean the same).
#pragma once

#include <cstdio>
#include <string>

enum class Msg {
    // Arguments
    UnknownCommand,
    UnknownCommandNear,
    UnknownOption,
    UnknownOptionNear,
    OptionNeedsValue,
    OptionTakesNoValue,
    MissingArgument,
    ExtraArgument,
    SeeHelp,
    BadBaud,
    BadId,
    // Port settings
    PortNotPath,
    ConfigPortNotPath,
    PortTooLong,
    PortOpenFailed,
    PortNotADevicePath,
    PortNoSuchDevice,
    PortPermissionDenied,
    PortBusy,
    PortNotSerial,
    PortSettingRefused,
    PortUnknownReason,
    NoPortConfigured,
    LatencyHint,
    // term
    LineTooLong,
    LineFailed,
    NoteEmptyLine,
    NoteUnknownCommand,
    NoteFirstLetter,
    NoteMissingOperand,
    NoteNegativeOperand,
    NoteNoRegister,
    NoteValueCut,
    NoteIdsCut,
    NoteNoIds,
    NoteNoReply,
    NoteShortReply,
    NoteStray,
    NoteFlashRefused,
    // Upload failures, by the link's error code
    UploadFailOpen,
    UploadFailNot7Bit,
    UploadFailNoAck,
    UploadFailRejected,
    UploadFailOther,
    UpdateErrorTitle,
    // Servo answers
    NoReply,
    NoEcho,
    TableHeader,
    TableHeaderIds,
    ShortReply,
    ShortSample,
    StrayReply,
    // Registers and values
    UnknownRegister,
    NoRegisterAt,
    NoRegisterNamed,
    BadHexValue,
    ValueOutOfRange,
    ValueTooWide,
    ReadBackDiffers,
    // Several servos
    ServoDone,
    ServoFailed,
    ServoId,
    ServosAllDone,
    ServosSummary,
    ServoAt,
    // Restart and completion
    ClearDoneTitle,
    RestartPrompt,
    RestartPromptMany,
    ForIds,
    RestartNoticeUpdate,
    FlashDoneTitle,
    FlashDone,
    UpdateDoneTitle,
    UpdateDone,
    NotConfirmed,
    // Input files and FLASH value files
    FileCannotOpen,
    FileNotRegular,
    FlashFileTooLarge,
    FlashFileEmpty,
    FlashBadLine,
    FlashBadRow,
    FlashBadValue,
    FlashValueTooWide,
    FlashDuplicateRow,
    FlashNeedsTerminal,
    FlashRefused,
    FlashChangesId,
    // Update files
    UpdateFileNot7Bit,
    UpdateFileTooLong,
    UpdatePathTooLong,
    UpdateFileEmpty,
    UpdateInterrupted,
    ProgressChunks,
    ProgressLeft,
    // scan and watch
    BadIdList,
    BadBaudList,
    ScanNone,
    ScanProgress,
    NeedRegister,
    BadInterval,
    BadCount,
    // save and diff
    SaveDone,
    SaveFailed,
    DiffFile,
    DiffNone,
    DiffCount,
    DiffFileOrWith,
    DiffNothingToCompare,
    // ports and config
    PortsNone,
    PortsLatency,
    PortsLatencyHint,
    PortsInForce,
    PortsInForceClosed,
    LowLatencyOn,
    LowLatencyRefused,
    LowLatencyUnavailable,
    WireLowLatency,
    ConfigFile,
    ConfigSaved,
    ConfigWriteFailed,
    ConfigNoId,
};

// True when LC_ALL, LC_MESSAGES or LANG (the first one set) starts with "ja",
// or, on Windows without them, when the user's interface language is Japanese.
bool japanese();

const char* text(Msg msg);
// printf-style formatting of a message's text.
std::string format(Msg msg, ...);
// "orvelin: " and the formatted message on stderr, with a line end.
void complain(Msg msg, ...);
