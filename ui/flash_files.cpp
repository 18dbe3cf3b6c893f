// Saving the list's FLASH column to a text file and loading it back.
#include "file_dialogs.h"
#include "file_replace.h"
#include "resources/resource.h"
#include "window.h"

#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <memory>
#include <string>

namespace {

constexpr int kCellSize = 256;

const wchar_t kTextFilter[] = L"テキストファイル(*.txt)\0*.txt\0全てのファイル(*.*)\0*.*\0";
const FileDialogTexts kLoadDialog = {kTextFilter, L"ファイルを開く", L"txt"};
const FileDialogTexts kSaveDialog = {kTextFilter, L"ファイルを保存", L"txt"};

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

int listRows(HWND hwnd)
{
    return static_cast<int>(SendDlgItemMessageA(hwnd, IDC_PARAM_LIST, LVM_GETITEMCOUNT, 0, 0));
}

int skipSpace(FILE* f)
{
    int c;
    while ((c = std::getc(f)) != EOF && std::isspace(c))
        ;
    return c;
}

// "%d": a sign and decimal digits; an index beyond int's range stays beyond
// every row, so it is held at the end of the range. False when no number is there.
bool readIndex(FILE* f, long long& index)
{
    int c = skipSpace(f);
    bool negative = c == '-';
    if (c == '-' || c == '+')
        c = std::getc(f);
    if (!std::isdigit(c))
        return false;
    long long magnitude = 0;
    for (; std::isdigit(c); c = std::getc(f))
        magnitude = std::min(magnitude * 10 + (c - '0'), static_cast<long long>(INT_MAX));
    std::ungetc(c, f);
    index = negative ? -magnitude : magnitude;
    return true;
}

enum class Token { Read, TooLong, Missing };

// "%s" into 256 bytes: a longer token is read to its end and dropped.
Token readText(FILE* f, char (&text)[kCellSize])
{
    int c = skipSpace(f);
    if (c == EOF)
        return Token::Missing;
    int length = 0;
    for (; c != EOF && !std::isspace(c); c = std::getc(f)) {
        if (length == kCellSize - 1) {
            while ((c = std::getc(f)) != EOF && !std::isspace(c))
                ;
            return Token::TooLong;
        }
        text[length++] = static_cast<char>(c);
    }
    text[length] = '\0';
    return Token::Read;
}

// "%d %s" lines with the text-mode line end of Windows.
std::string flashColumnText(HWND hwnd)
{
    std::string contents;
    int rows = listRows(hwnd);
    for (int r = 0; r < rows; ++r) {
        char cell[kCellSize] = {};
        getFlashCell(hwnd, r, cell, kCellSize);
        if (cell[0] == '\0')
            continue;
        char line[kCellSize + 16];
        std::snprintf(line, sizeof line, "%d %s\r\n", r, cell);
        contents += line;
    }
    return contents;
}

}  // namespace

void saveFlashFile(HWND hwnd)
{
    if (!chooseFileToSave(hwnd, kSaveDialog))
        return;
    // Through a new file renamed over the old one: a failed save leaves the
    // previous file as it was.
    replaceFileContents(fileName, flashColumnText(hwnd));
}

void loadFlashFile(HWND hwnd)
{
    if (!chooseFileToOpen(hwnd, kLoadDialog))
        return;
    File in(std::fopen(fileName, "r"));
    if (!in)
        return;
    long long rows = listRows(hwnd);
    long long next = 0;  // the next row not yet set or cleared
    for (;;) {
        long long index = 0;
        char text[kCellSize];
        if (!readIndex(in.get(), index))
            break;
        Token token = readText(in.get(), text);
        if (token == Token::Missing)
            break;
        if (token == Token::TooLong)
            continue;
        for (long long end = std::min(index, rows); next < end; ++next)
            setFlashCell(hwnd, static_cast<int>(next), nullptr);
        if (index >= 0 && index < rows)
            setFlashCell(hwnd, static_cast<int>(index), text);
        next = std::max(next, index) + 1;
    }
}
