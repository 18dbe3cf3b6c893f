// Everything orvelin says to people, in English or, when the locale is
// Japanese, in Japanese (the window's own texts where they mean the same).
#pragma once

#include <cstdio>
#include <string>

enum class Msg {
    // Arguments
    UnknownCommand,
    UnknownOption,
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
    LatencyHint,
    // term
    LineTooLong,
    LineFailed,
    // Upload failures, by the link's error code
    UploadFailOpen,
    UploadFailNot7Bit,
    UploadFailNoAck,
    UploadFailRejected,
    UploadFailOther,
    UpdateErrorTitle,
    // Servo answers
    NoReply,
    TableHeader,
    ShortReply,
    // Registers and values
    UnknownRegister,
    NoRegisterAt,
    BadHexValue,
    ValueOutOfRange,
    ValueTooWide,
    ReadBackDiffers,
    // Restart and completion
    ClearDoneTitle,
    RestartPrompt,
    RestartNoticeUpdate,
    FlashDoneTitle,
    FlashDone,
    UpdateDoneTitle,
    UpdateDone,
    NotConfirmed,
    // FLASH value files
    FileCannotOpen,
    FlashBadIndex,
    FlashMissingText,
    FlashTextUnusable,
    FlashRowIgnored,
    FlashShortCell,
    FlashNotHex,
    FlashTooWide,
    // Update files
    UpdateFileNot7Bit,
    UpdateFileTooLong,
    UpdatePathTooLong,
    ProgressChunks,
    ProgressLeft,
    // scan and watch
    BadIdList,
    BadBaudList,
    ScanNone,
    NeedRegister,
    BadInterval,
    BadCount,
    // ports and config
    PortsNone,
    PortsLatency,
    PortsLatencyHint,
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
