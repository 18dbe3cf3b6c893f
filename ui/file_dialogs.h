// The program's three common file dialogs, all on the one shared fileName.
#pragma once

#include <windows.h>

// What tells the three dialogs apart; every other field of the record stays 0.
struct FileDialogTexts {
    const wchar_t* filter;  // pairs of NUL-terminated texts, ended by an empty one
    const wchar_t* title;
    const wchar_t* defaultExtension;
};

// Open-file dialog with OFN_FILEMUSTEXIST. True when a file was chosen; its
// path is then in fileName.
bool chooseFileToOpen(HWND owner, const FileDialogTexts& texts);
// Save-file dialog with OFN_OVERWRITEPROMPT. True when a file was chosen.
bool chooseFileToSave(HWND owner, const FileDialogTexts& texts);
