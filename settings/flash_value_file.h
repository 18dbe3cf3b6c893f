// FLASH value files: one "%d %s" line per staged value, the list row and the
// cell text. The window and the command-line programmer read and write them
// the same way through this code.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

// Cell texts travel through 256-byte buffers.
inline constexpr int kFlashCellSize = 256;

enum class FlashToken {
    Pair,         // a row and its text
    TooLong,      // a text of more than 255 characters, read to its end and dropped
    BadText,      // a text holding a NUL byte, which no cell can show whole: dropped
    BadIndex,     // the next token is not a decimal row number
    MissingText,  // the file ends after a row number
    End,          // nothing more
};

// Reads the pairs as "%d %s" does: any white space separates, so CR LF and LF
// files read alike. A row number beyond int's range is held at its limit.
class FlashValueReader {
public:
    explicit FlashValueReader(FILE* in) : in_(in) {}
    FlashToken next(long long& row, char (&text)[kFlashCellSize]);
    // Line of the token last read, from 1.
    int line() const { return line_; }

private:
    int get();
    void unget(int c);
    int skipSpace();

    FILE* in_;
    int line_ = 1;
};

// The window's load order: rows from the first not yet touched up to each
// listed row are emptied, the listed row gets its text, and rows after the
// last listed one keep theirs. setCell(row, nullptr) empties a cell; rows at
// or beyond `rows` are never passed. Ends at the first malformed token (a
// text from an earlier line is never reused); an over-long text or one with
// a NUL byte is skipped.
FlashToken loadFlashValues(FILE* in, int rows, const std::function<void(int row, const char* text)>& setCell);

// "%d %s" and the line end for every non-empty cell in row order; getCell
// fills a buffer of kFlashCellSize bytes. Windows files end lines with CR LF.
std::string flashValuesText(int rows, const std::function<void(int row, char (&cell)[kFlashCellSize])>& getCell,
                            const char* lineEnd = "\n");
