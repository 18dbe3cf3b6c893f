#include "cli/staged_values.h"

#include "cli/options.h"
#include "cli/texts/messages.h"
#include "link/wire_format.h"
#include "ops/flash_cells.h"
#include "orvelin/value_files.h"

#include <cstring>
#include <string_view>

namespace {

constexpr std::size_t kShownToken = 40;

std::string shown(std::string_view text)
{
    return std::string(text.substr(0, kShownToken)) + (text.size() > kShownToken ? "..." : "");
}

// The file's values as the window's FLASH column, or its problem reported.
std::optional<FlashColumn> columnOf(const orvelin::ValueFile& file, const std::string& path)
{
    using orvelin::ValueFileProblem;
    const char* name = file.row >= 0 ? paramtbl[file.row].name : "";
    const int size = file.row >= 0 ? paramtbl[file.row].size : 0;
    switch (file.problem) {
    case ValueFileProblem::None: {
        FlashColumn column;
        for (int row = 0; row < FlashColumn::kRows; ++row)
            column.set(row, file.texts[static_cast<std::size_t>(row)]);
        return column;
    }
    case ValueFileProblem::CannotOpen:
        complain(Msg::FileCannotOpen, path.c_str(), std::strerror(file.error));
        break;
    case ValueFileProblem::NotPlainFile:
        complain(Msg::FileNotRegular, path.c_str());
        break;
    case ValueFileProblem::TooLarge:
        complain(Msg::FlashFileTooLarge, path.c_str(), static_cast<unsigned long long>(file.size));
        break;
    case ValueFileProblem::NotRowValue:
        complain(Msg::FlashBadLine, path.c_str(), file.line, shown(file.text).c_str());
        break;
    case ValueFileProblem::BadRow:
        complain(Msg::FlashBadRow, path.c_str(), file.line, shown(file.text).c_str());
        break;
    case ValueFileProblem::BadValue:
        complain(Msg::FlashBadValue, path.c_str(), file.line, shown(file.text).c_str(), name);
        break;
    case ValueFileProblem::TooWide:
        complain(Msg::FlashValueTooWide, path.c_str(), file.line, shown(file.text).c_str(), name, size,
                 groupsMax(size));
        break;
    case ValueFileProblem::RowTwice:
        complain(Msg::FlashDuplicateRow, path.c_str(), file.line, file.row, name, file.firstLine);
        break;
    case ValueFileProblem::NoValue:
        complain(Msg::FlashFileEmpty, path.c_str());
        break;
    }
    return std::nullopt;
}

}  // namespace

uint32_t stagedValue(const std::string& cell)
{
    return static_cast<uint32_t>(parseHex(std::string_view(cell).substr(kValuePrefix)).value_or(0));
}

std::optional<FlashColumn> loadStagedValues(const std::string& path)
{
    return columnOf(orvelin::loadValueFile(path), path);
}

std::optional<FlashColumn> stagedValuesFrom(std::string_view bytes, const std::string& path)
{
    return columnOf(orvelin::parseValueFile(bytes), path);
}

std::vector<std::string> stagedValueLines(const FlashColumn& column)
{
    std::vector<std::string> lines;
    for (int row = 0; row < FlashColumn::kRows; ++row)
        if (auto line = flashWriteLine(row, column.cell(row)))
            lines.push_back(*line);
    return lines;
}
