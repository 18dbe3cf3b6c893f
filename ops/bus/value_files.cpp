#include "orvelin/value_files.h"

#include "link/registers.h"
#include "ops/flash_cells.h"
#include "ops/flash_column.h"
#include "ops/number_text.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <limits>
#include <memory>
#include <optional>
#include <system_error>

namespace orvelin {

namespace {

// The windows write their files in the platform's text mode.
#ifdef _WIN32
constexpr const char* kLineEnd = "\r\n";
#else
constexpr const char* kLineEnd = "\n";
#endif

constexpr std::size_t kMaxDigits = 8;

// What follows the 0x is read as the FLASH write's interpreter reads it,
// a second 0x included.
std::optional<uint64_t> valueOf(std::string_view value)
{
    if (value.size() <= kValuePrefix || value.size() > kValuePrefix + kMaxDigits || value[0] != '0' ||
        (value[1] != 'x' && value[1] != 'X'))
        return std::nullopt;
    return parseHex(value.substr(kValuePrefix));
}

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

// One line into file; false, with the problem set, when it is not of the form.
bool take(std::string_view line, int number, ValueFile& file, std::array<int, kRegisterCount>& lineOfRow)
{
    std::vector<std::string_view> w = words(line);
    if (w.empty())
        return true;
    auto fault = [&](ValueFileProblem problem, std::string_view text) {
        file.problem = problem;
        file.line = number;
        file.text = text;
        return false;
    };
    if (w.size() != 2)
        return fault(ValueFileProblem::NotRowValue, line);
    auto row = parseDigits(w[0], 10);
    if (!row || *row >= static_cast<uint64_t>(kRegisterCount))
        return fault(ValueFileProblem::BadRow, w[0]);
    const auto r = static_cast<std::size_t>(*row);
    file.row = static_cast<int>(r);
    auto value = valueOf(w[1]);
    if (!value)
        return fault(ValueFileProblem::BadValue, w[1]);
    if (static_cast<uint32_t>(*value) > groupsMax(paramtbl[r].size))
        return fault(ValueFileProblem::TooWide, w[1]);
    if (lineOfRow[r] != 0) {
        file.firstLine = lineOfRow[r];
        return fault(ValueFileProblem::RowTwice, w[0]);
    }
    lineOfRow[r] = number;
    file.row = -1;
    file.values[r] = static_cast<uint32_t>(*value);
    file.texts[r] = w[1];
    return true;
}

ValueFile refused(ValueFileProblem problem, int error = 0, std::uintmax_t size = 0)
{
    ValueFile file;
    file.problem = problem;
    file.error = error;
    file.size = size;
    return file;
}

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

}  // namespace

ValueFile parseValueFile(std::string_view bytes)
{
    ValueFile file;
    std::array<int, kRegisterCount> lineOfRow{};
    std::string_view rest = bytes;
    for (int number = 1; !rest.empty(); ++number) {
        std::size_t end = std::min(rest.find('\n'), rest.size());
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (!take(line, number, file, lineOfRow)) {
            file.values = {};
            file.texts = {};
            return file;
        }
    }
    if (std::ranges::none_of(file.values, [](const auto& value) { return value.has_value(); }))
        file.problem = ValueFileProblem::NoValue;
    return file;
}

ValueFile loadValueFile(const std::filesystem::path& path)
{
    std::error_code error;
    auto status = std::filesystem::status(path, error);
    if (error)
        return refused(ValueFileProblem::CannotOpen, error.value());
    // A FIFO would wait for a writer for ever and a device never ends.
    if (!std::filesystem::is_regular_file(status))
        return refused(ValueFileProblem::NotPlainFile);
    std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error && size > kValueFileMaxBytes)
        return refused(ValueFileProblem::TooLarge, 0, size);
    errno = 0;
    std::unique_ptr<FILE, FileCloser> in(std::fopen(path.string().c_str(), "rb"));
    if (!in)
        return refused(ValueFileProblem::CannotOpen, errno);
    std::string bytes;
    char chunk[4096];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, in.get())) > 0;) {
        bytes.append(chunk, n);
        // A file that grows while it is read.
        if (bytes.size() > kValueFileMaxBytes)
            return refused(ValueFileProblem::TooLarge, 0, bytes.size());
    }
    if (std::ferror(in.get()))
        return refused(ValueFileProblem::CannotOpen, errno != 0 ? errno : EIO);
    return parseValueFile(bytes);
}

bool saveValues(const std::filesystem::path& path, const ServoImage& image, const std::vector<int>& rows)
{
    FlashColumn column;
    for (int row : rows)
        column.set(row, valueText(row, image.value(row)));
    return column.save(path.string().c_str(), kLineEnd);
}

}  // namespace orvelin
