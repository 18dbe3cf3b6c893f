#include "settings/flash_value_file.h"

#include <algorithm>
#include <cctype>
#include <climits>

int FlashValueReader::get()
{
    int c = std::getc(in_);
    if (c == '\n')
        ++line_;
    return c;
}

void FlashValueReader::unget(int c)
{
    if (c == EOF)
        return;
    if (c == '\n')
        --line_;
    std::ungetc(c, in_);
}

int FlashValueReader::skipSpace()
{
    int c;
    while ((c = get()) != EOF && std::isspace(c))
        ;
    return c;
}

FlashToken FlashValueReader::next(long long& row, char (&text)[kFlashCellSize])
{
    int c = skipSpace();
    if (c == EOF)
        return FlashToken::End;
    bool negative = c == '-';
    if (c == '-' || c == '+')
        c = get();
    if (!std::isdigit(c)) {
        unget(c);
        return FlashToken::BadIndex;
    }
    long long magnitude = 0;
    for (; std::isdigit(c); c = get())
        magnitude = std::min(magnitude * 10 + (c - '0'), static_cast<long long>(INT_MAX));
    unget(c);
    row = negative ? -magnitude : magnitude;

    c = skipSpace();
    if (c == EOF)
        return FlashToken::MissingText;
    int length = 0;
    bool nul = false;
    for (; c != EOF && !std::isspace(c); c = get()) {
        nul = nul || c == '\0';
        if (length == kFlashCellSize - 1) {
            while ((c = get()) != EOF && !std::isspace(c))
                ;
            unget(c);
            return FlashToken::TooLong;
        }
        text[length++] = static_cast<char>(c);
    }
    unget(c);
    text[length] = '\0';
    return nul ? FlashToken::BadText : FlashToken::Pair;
}

FlashToken loadFlashValues(FILE* in, int rows, const std::function<void(int row, const char* text)>& setCell)
{
    FlashValueReader reader(in);
    long long next = 0;  // the first row not yet set or emptied
    for (;;) {
        long long row = 0;
        char text[kFlashCellSize];
        FlashToken token = reader.next(row, text);
        if (token == FlashToken::TooLong || token == FlashToken::BadText)
            continue;
        if (token != FlashToken::Pair)
            return token;
        // Emptying stops at the last row, however large the index.
        for (long long end = std::min<long long>(row, rows); next < end; ++next)
            setCell(static_cast<int>(next), nullptr);
        if (row >= 0 && row < rows)
            setCell(static_cast<int>(row), text);
        next = std::max(next, row) + 1;
    }
}

std::string flashValuesText(int rows, const std::function<void(int row, char (&cell)[kFlashCellSize])>& getCell,
                            const char* lineEnd)
{
    std::string contents;
    for (int r = 0; r < rows; ++r) {
        char cell[kFlashCellSize] = {};
        getCell(r, cell);
        cell[kFlashCellSize - 1] = '\0';
        if (cell[0] == '\0')
            continue;
        contents += std::to_string(r);
        contents += ' ';
        contents += cell;
        contents += lineEnd;
    }
    return contents;
}
