#include "ui/file_dialogs.h"

#include "ui/window.h"

#include <commdlg.h>

char fileName[kFileNameSize];

namespace {

using DialogFunction = BOOL(WINAPI*)(LPOPENFILENAMEW);

// fileName keeps the program's code page, which fopen and the upload command
// take; the dialog itself runs in UTF-16 so every locale shows its texts.
bool runFileDialog(HWND owner, const FileDialogTexts& texts, DWORD flags, DialogFunction dialog)
{
    wchar_t path[kFileNameSize] = {};
    if (fileName[0] != '\0' && MultiByteToWideChar(CP_ACP, 0, fileName, -1, path, kFileNameSize) == 0)
        path[0] = L'\0';

    OPENFILENAMEW ofn = {};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = texts.filter;
    ofn.lpstrFile = path;
    ofn.nMaxFile = kFileNameSize;
    ofn.lpstrInitialDir = L".";
    ofn.lpstrTitle = texts.title;
    ofn.Flags = flags;
    ofn.lpstrDefExt = texts.defaultExtension;
    if (!dialog(&ofn))
        return false;

    // A path this code page cannot spell would name some other file, or none:
    // it counts as a dialog that chose nothing.
    // UTF-8 as the code page spells everything and takes neither check.
    bool utf8 = GetACP() == CP_UTF8;
    char chosen[kFileNameSize];
    BOOL lossy = FALSE;
    if (WideCharToMultiByte(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, path, -1, chosen, kFileNameSize, nullptr,
                            utf8 ? nullptr : &lossy)
            == 0
        || lossy)
        return false;
    lstrcpynA(fileName, chosen, kFileNameSize);
    return true;
}

}  // namespace

bool chooseFileToOpen(HWND owner, const FileDialogTexts& texts)
{
    return runFileDialog(owner, texts, OFN_FILEMUSTEXIST, GetOpenFileNameW);
}

bool chooseFileToSave(HWND owner, const FileDialogTexts& texts)
{
    return runFileDialog(owner, texts, OFN_OVERWRITEPROMPT, GetSaveFileNameW);
}
