#include "flash_file.h"

#include "messages.h"
#include "options.h"
#include "register_args.h"

#include "flash_value_file.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sstream>

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

std::optional<FlashCells> loadFlashFile(const std::string& path)
{
    std::unique_ptr<FILE, FileCloser> in(std::fopen(path.c_str(), "r"));
    if (!in) {
        complain(Msg::FileCannotOpen, path.c_str(), std::strerror(errno));
        return std::nullopt;
    }
    // The cells start empty, so the window's emptying of the rows a line
    // passes over changes nothing here: a later line for a row still wins.
    FlashValueReader reader(in.get());
    FlashCells cells;
    for (;;) {
        long long row = 0;
        char text[kFlashCellSize];
        switch (reader.next(row, text)) {
        case FlashToken::End:
            return cells;
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
            if (row >= 0 && row < kParamRows)
                cells[static_cast<std::size_t>(row)] = text;
            else
                complain(Msg::FlashRowIgnored, path.c_str(), reader.line(), static_cast<int>(row));
            break;
        }
    }
}

std::vector<std::string> flashValueLines(const FlashCells& cells)
{
    std::vector<std::string> lines;
    for (int row = 0; row < kParamRows; ++row) {
        std::string cell = cells[static_cast<std::size_t>(row)].substr(0, kFlashCellRead);
        if (cell.empty())
            continue;
        const ParamDef& def = paramtbl[row];
        if (cell.size() < 3) {
            complain(Msg::FlashShortCell, row, def.name, cell.c_str());
            continue;
        }
        std::string digits = cell.substr(2);
        auto value = parseHex(digits);
        if (!value)
            complain(Msg::FlashNotHex, row, def.name, digits.c_str());
        else if (*value > registerMax(def.size))
            complain(Msg::FlashTooWide, row, def.name, digits.c_str());
        std::ostringstream line;
        line << "f " << std::hex << def.address << ' ' << digits;
        lines.push_back(line.str());
    }
    return lines;
}
