#include "settings/ini_file.h"

#include "settings/file_replace.h"
#include "settings/ini_document.h"
#include "settings/ini_syntax.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace {

enum class FileRead { ok, missing, failed };

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

FileRead readWholeFile(const char* path, std::string& bytes)
{
    bytes.clear();
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "rb"));
    if (!file) {
        return errno == ENOENT || errno == ENOTDIR ? FileRead::missing : FileRead::failed;
    }
    char chunk[4096];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
        bytes.append(chunk, n);
    }
    return std::ferror(file.get()) ? FileRead::failed : FileRead::ok;
}

std::optional<std::string> valueIn(const char* file, const char* section, const char* key)
{
    std::string bytes;
    if (file == nullptr || section == nullptr || key == nullptr || readWholeFile(file, bytes) != FileRead::ok) {
        return std::nullopt;
    }
    const IniDocument document(bytes);
    const auto value = document.find(section, key);
    return value ? std::optional<std::string>(*value) : std::nullopt;
}

// The system functions take one pair of matching quotes off the text but
// drop the closing quote after cutting it to the buffer, so a quoted text
// that just fills the buffer loses its last character too. Kept alike so
// both platforms read the same file the same way.
int copyOut(std::string_view text, char* out, int outSize)
{
    const auto room = static_cast<std::size_t>(outSize - 1);
    bool quoted = false;
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front()) {
        quoted = true;
        text.remove_prefix(1);
    }
    auto count = std::min(room, text.size());
    if (quoted && count > 0 && static_cast<std::size_t>(outSize) >= text.size()) {
        --count;
    }
    std::memcpy(out, text.data(), count);
    out[count] = '\0';
    return static_cast<int>(count);
}

bool holdsLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace

int iniGetString(const char* section, const char* key, const char* defaultValue, char* out, int outSize,
                 const char* file)
{
    if (out == nullptr || outSize <= 0) {
        return 0;
    }
    if (const auto value = valueIn(file, section, key)) {
        return copyOut(*value, out, outSize);
    }
    std::string_view fallback = defaultValue != nullptr ? defaultValue : "";
    fallback = fallback.substr(0, fallback.find_last_not_of(' ') + 1);
    return copyOut(fallback, out, outSize);
}

bool iniEntryWritable(const char* section, const char* key, const char* value)
{
    if (section == nullptr || key == nullptr || value == nullptr) {
        return false;
    }
    const auto name = trimBlanks(key);
    return !holdsLineBreak(section) && !holdsLineBreak(key) && !holdsLineBreak(value) &&
           name.find('=') == std::string_view::npos && !name.starts_with('[');
}

bool iniWriteString(const char* section, const char* key, const char* value, const char* file)
{
    if (!iniEntryWritable(section, key, value) || file == nullptr) {
        return false;
    }
    std::string bytes;
    if (readWholeFile(file, bytes) == FileRead::failed) {
        return false;
    }
    IniDocument document(bytes);
    document.set(section, key, value);
    return replaceFileContents(file, document.text());
}
