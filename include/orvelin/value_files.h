// FLASH value files: the staged values of a FLASH write as the windows save
// and load them, one "ROW VALUE" line per staged register ("18 0x03E8").
// Saved whole or not at all; loaded strictly, refused whole with the line
// at fault, so nothing partial or wrong reaches FLASH.
#pragma once

#include "orvelin/reads.h"
#include "orvelin/registers.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orvelin {

// 63 lines of a row, a blank and ten characters, many times over.
inline constexpr std::uintmax_t kValueFileMaxBytes = 64 * 1024;

enum class ValueFileProblem {
    None,
    CannotOpen,    // error says why
    NotPlainFile,  // a folder, a device or a pipe
    TooLarge,      // more than kValueFileMaxBytes; size says how large
    NotRowValue,   // a line of another form than "ROW VALUE"
    BadRow,        // ROW is not a decimal 0 to 62
    BadValue,      // VALUE is not 0x and 1 to 8 hexadecimal digits
    TooWide,       // VALUE does not fit the register's 7-bit groups
    RowTwice,      // the row was given before, on firstLine
    NoValue,       // not one value staged
};

struct ValueFile {
    StagedValues values;                            // by row
    std::array<std::string, kRegisterCount> texts;  // each value as written ("0x03e8"); empty where none
    ValueFileProblem problem = ValueFileProblem::None;
    int line = 0;             // the line at fault, from 1
    std::string text;         // what is at fault there, whole: the line, its ROW or its VALUE
    int row = -1;             // BadValue, TooWide, RowTwice: the register concerned
    int firstLine = 0;        // RowTwice
    std::uintmax_t size = 0;  // TooLarge: the file's size, or how much of it was read
    int error = 0;            // CannotOpen: errno

    bool ok() const { return problem == ValueFileProblem::None; }
};

// A FLASH value file's bytes: one "ROW VALUE" line per staged register, the
// two words separated by blanks or tabs; ROW decimal 0 to 62, each row once;
// VALUE "0x" and up to 8 hexadecimal digits (a second 0x before them is read
// as the interpreter reads it, as nothing) that fit the register; CR LF or
// LF line ends; blank lines ignored; at least one value. The first problem,
// with its line, when it is not all of that.
ValueFile parseValueFile(std::string_view bytes);

// The same from a file, taken only when it is a plain file of at most
// kValueFileMaxBytes.
ValueFile loadValueFile(const std::filesystem::path& path);

// Writes rows of image as a FLASH value file at path, replaced whole or not
// at all, with the platform's line ends as the windows write theirs.
bool saveValues(const std::filesystem::path& path, const ServoImage& image, const std::vector<int>& rows);

}  // namespace orvelin
