#include "staged_values.h"

#include "flash_cells.h"
#include "messages.h"
#include "options.h"
#include "register_args.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

// The token the reader stopped at, for the message.
std::string tokenAt(FILE* in)
{
    std::string word;
    for (int c; word.size() < 32 && (c = std::getc(in)) != EOF && !std::isspace(c);)
        word.push_back(static_cast<char>(c));
    return word;
}

}  // namespace

std::optional<FlashColumn> loadStagedValues(const std::string& path)
{
    std::unique_ptr<FILE, FileCloser> in(std::fopen(path.c_str(), "r"));
    if (!in) {
        complain(Msg::FileCannotOpen, path.c_str(), std::strerror(errno));
        return std::nullopt;
    }
    // The column starts empty, so the window's emptying of the rows a line
    // passes over changes nothing here: a later line for a row still wins.
    FlashValueReader reader(in.get());
    FlashColumn column;
    for (;;) {
        long long row = 0;
        char text[kFlashCellSize];
        switch (reader.next(row, text)) {
        case FlashToken::End:
            return column;
        case FlashToken::BadIndex:
            complain(Msg::FlashBadIndex, path.c_str(), reader.line(), tokenAt(in.get()).c_str());
            return std::nullopt;
        case FlashToken::MissingText:
            complain(Msg::FlashMissingText, path.c_str(), reader.line());
            return std::nullopt;
        case FlashToken::TooLong:
        case FlashToken::BadText:
            complain(Msg::FlashTextUnusable, path.c_str(), reader.line());
            return std::nullopt;
        case FlashToken::Pair:
            if (row >= 0 && row < FlashColumn::kRows)
                column.set(static_cast<int>(row), text);
            else
                complain(Msg::FlashRowIgnored, path.c_str(), reader.line(), static_cast<int>(row));
            break;
        }
    }
}

std::vector<std::string> stagedValueLines(const FlashColumn& column)
{
    std::vector<std::string> lines;
    for (int row = 0; row < FlashColumn::kRows; ++row) {
        const std::string& cell = column.cell(row);
        if (cell.empty())
            continue;
        const ParamDef& def = paramtbl[row];
        auto line = flashWriteLine(row, cell);
        if (!line) {
            complain(Msg::FlashShortCell, row, def.name, cell.c_str());
            continue;
        }
        std::string digits = cell.substr(kValuePrefix, kFlashCellRead - kValuePrefix);
        auto value = parseHex(digits);
        if (!value)
            complain(Msg::FlashNotHex, row, def.name, digits.c_str());
        else if (*value > registerMax(def.size))
            complain(Msg::FlashTooWide, row, def.name, digits.c_str());
        lines.push_back(*line);
    }
    return lines;
}
