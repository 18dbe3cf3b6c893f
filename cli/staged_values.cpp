#include "cli/staged_values.h"

#include "ops/flash_cells.h"
#include "cli/input_files.h"
#include "cli/texts/messages.h"
#include "link/wire_format.h"
#include "cli/options.h"
#include "cli/register_args.h"

#include <array>
#include <string_view>

namespace {

// 63 lines of a row, a blank and ten characters, many times over.
constexpr std::uintmax_t kMaxFileBytes = 64 * 1024;
constexpr std::size_t kMaxDigits = 8;
constexpr std::size_t kShownToken = 40;

std::vector<std::string_view> words(std::string_view line)
{
    constexpr std::string_view kBlanks = " \t\v\f";
    std::vector<std::string_view> out;
    for (std::size_t at = line.find_first_not_of(kBlanks); at != std::string_view::npos;) {
        std::size_t end = std::min(line.find_first_of(kBlanks, at), line.size());
        out.push_back(line.substr(at, end - at));
        at = line.find_first_not_of(kBlanks, end);
    }
    return out;
}

std::string shown(std::string_view text)
{
    return std::string(text.substr(0, kShownToken)) + (text.size() > kShownToken ? "..." : "");
}

bool isHexValue(std::string_view value)
{
    if (value.size() <= kValuePrefix || value.size() > kValuePrefix + kMaxDigits || value[0] != '0' ||
        (value[1] != 'x' && value[1] != 'X'))
        return false;
    return parseHex(value.substr(kValuePrefix)).has_value();
}

class FileCheck {
public:
    explicit FileCheck(const std::string& path) : path_(path) { }

    // One line of the file; false, reported, when it is not of the window's form.
    bool take(std::string_view line, int number, FlashColumn& column)
    {
        std::vector<std::string_view> w = words(line);
        if (w.empty())
            return true;
        if (w.size() != 2) {
            complain(Msg::FlashBadLine, path_.c_str(), number, shown(line).c_str());
            return false;
        }
        auto row = parseDecimal(w[0]);
        if (!row || *row >= static_cast<uint64_t>(FlashColumn::kRows)) {
            complain(Msg::FlashBadRow, path_.c_str(), number, shown(w[0]).c_str());
            return false;
        }
        int r = static_cast<int>(*row);
        const ParamDef& def = paramtbl[r];
        if (!isHexValue(w[1])) {
            complain(Msg::FlashBadValue, path_.c_str(), number, shown(w[1]).c_str(), def.name);
            return false;
        }
        if (stagedValue(std::string(w[1])) > groupsMax(def.size)) {
            complain(Msg::FlashValueTooWide, path_.c_str(), number, shown(w[1]).c_str(), def.name, def.size,
                     groupsMax(def.size));
            return false;
        }
        if (lineOfRow_[static_cast<std::size_t>(r)] != 0) {
            complain(Msg::FlashDuplicateRow, path_.c_str(), number, r, def.name,
                     lineOfRow_[static_cast<std::size_t>(r)]);
            return false;
        }
        lineOfRow_[static_cast<std::size_t>(r)] = number;
        column.set(r, w[1]);
        return true;
    }

private:
    const std::string& path_;
    std::array<int, FlashColumn::kRows> lineOfRow_{};
};

}  // namespace

uint32_t stagedValue(const std::string& cell)
{
    return static_cast<uint32_t>(parseHex(std::string_view(cell).substr(kValuePrefix)).value_or(0));
}

std::optional<FlashColumn> loadStagedValues(const std::string& path)
{
    InputFile file = readInputFile(path, kMaxFileBytes);
    if (file.status == InputFile::Status::TooLarge) {
        complain(Msg::FlashFileTooLarge, path.c_str(), static_cast<unsigned long long>(file.size));
        return std::nullopt;
    }
    if (file.status != InputFile::Status::Read) {
        reportInputFile(path, file);
        return std::nullopt;
    }
    return stagedValuesFrom(file.bytes, path);
}

std::optional<FlashColumn> stagedValuesFrom(std::string_view bytes, const std::string& path)
{
    FileCheck check(path);
    FlashColumn column;
    std::string_view rest = bytes;
    for (int number = 1; !rest.empty(); ++number) {
        std::size_t end = std::min(rest.find('\n'), rest.size());
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (!check.take(line, number, column))
            return std::nullopt;
    }
    if (!column.anyStaged()) {
        complain(Msg::FlashFileEmpty, path.c_str());
        return std::nullopt;
    }
    return column;
}

std::vector<std::string> stagedValueLines(const FlashColumn& column)
{
    std::vector<std::string> lines;
    for (int row = 0; row < FlashColumn::kRows; ++row)
        if (auto line = flashWriteLine(row, column.cell(row)))
            lines.push_back(*line);
    return lines;
}
