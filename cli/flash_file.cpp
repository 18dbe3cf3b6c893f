#include "flash_file.h"

#include "messages.h"
#include "options.h"
#include "register_args.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

bool isBlank(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// A cursor over the file's text that reads the way "%d %s" does.
class Scanner {
public:
    explicit Scanner(std::string text) : text_(std::move(text)) {}

    void skipBlanks()
    {
        while (pos_ < text_.size() && isBlank(text_[pos_]))
            ++pos_;
    }
    bool atEnd() const { return pos_ >= text_.size(); }
    int line() const { return 1 + static_cast<int>(std::count(text_.begin(), text_.begin() + pos_, '\n')); }

    // %d: optional sign, then digits. A value beyond int is held at its limit.
    std::optional<long long> number()
    {
        std::size_t p = pos_;
        bool negative = false;
        if (p < text_.size() && (text_[p] == '+' || text_[p] == '-'))
            negative = text_[p++] == '-';
        std::size_t digitsStart = p;
        long long value = 0;
        while (p < text_.size() && std::isdigit(static_cast<unsigned char>(text_[p]))) {
            value = std::min<long long>(value * 10 + (text_[p] - '0'), static_cast<long long>(INT_MAX));
            ++p;
        }
        if (p == digitsStart)
            return std::nullopt;
        pos_ = p;
        return negative ? -value : value;
    }

    // %s into the loader's 256-byte buffer: a longer token is cut.
    std::string word()
    {
        std::size_t start = pos_;
        while (pos_ < text_.size() && !isBlank(text_[pos_]))
            ++pos_;
        return text_.substr(start, std::min(pos_ - start, kFlashTextMax));
    }

    std::string wordPreview() const
    {
        std::size_t end = pos_;
        while (end < text_.size() && !isBlank(text_[end]))
            ++end;
        return text_.substr(pos_, std::min<std::size_t>(end - pos_, 32));
    }

private:
    std::string text_;
    std::size_t pos_ = 0;
};

}  // namespace

std::optional<FlashCells> loadFlashFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        complain(Msg::FileCannotOpen, path.c_str(), std::strerror(errno));
        return std::nullopt;
    }
    Scanner scan(std::string(std::istreambuf_iterator<char>(in), {}));
    FlashCells cells;
    for (;;) {
        scan.skipBlanks();
        if (scan.atEnd())
            break;
        int line = scan.line();
        auto row = scan.number();
        if (!row) {
            complain(Msg::FlashBadIndex, path.c_str(), line, scan.wordPreview().c_str());
            return std::nullopt;
        }
        scan.skipBlanks();
        if (scan.atEnd()) {
            complain(Msg::FlashMissingText, path.c_str(), line);
            return std::nullopt;
        }
        std::string text = scan.word();
        // The window empties the rows it passes over; here they start empty.
        if (*row >= 0 && *row < kParamRows)
            cells[static_cast<std::size_t>(*row)] = text;
        else
            complain(Msg::FlashRowIgnored, path.c_str(), line, static_cast<int>(*row));
    }
    return cells;
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
