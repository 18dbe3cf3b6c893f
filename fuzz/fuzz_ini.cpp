// The INI reader and writer on any file and any entry.
// Input: file text, NUL, section, NUL, key, NUL, value.
// Checks: a written value reads back as written (cut to 15 characters), and
// no other key of the file changes.
#include "settings/ini_file.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

std::string filePath;

std::vector<std::string_view> splitNul(std::string_view data, std::size_t parts)
{
    std::vector<std::string_view> out;
    while (out.size() + 1 < parts) {
        std::size_t nul = data.find('\0');
        if (nul == std::string_view::npos)
            break;
        out.push_back(data.substr(0, nul));
        data.remove_prefix(nul + 1);
    }
    out.push_back(data);
    return out;
}

// Texts that read back exactly as written: no blanks or quotes at the ends
// that the reader would trim, no characters that change the line's meaning.
bool plain(std::string_view s, bool isSection)
{
    if (s.empty() || s.front() == ' ' || s.back() == ' ' || s.front() == '"' || s.back() == '"')
        return false;
    for (char c : s) {
        auto u = static_cast<unsigned char>(c);
        if (u < 0x21 && c != ' ')
            return false;
        if (u >= 0x7F || c == '=' || c == '[' || c == ']' || c == '\'' || (isSection && c == ';'))
            return false;
    }
    return true;
}

// Section and key of every line that looks like an entry, read naively.
std::vector<std::pair<std::string, std::string>> probes(std::string_view text)
{
    std::vector<std::pair<std::string, std::string>> out;
    std::string section;
    std::size_t start = 0;
    while (start < text.size() && out.size() < 32) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.front() == '[' && line.find(']') != std::string_view::npos)
            section = std::string(line.substr(1, line.rfind(']') - 1));
        else if (std::size_t eq = line.find('='); eq != std::string_view::npos && eq > 0)
            out.emplace_back(section, std::string(line.substr(0, eq)));
        start = end + 1;
    }
    return out;
}

// Names compare as the reader compares them: blanks around trimmed, case ignored.
bool sameName(std::string_view a, std::string_view b)
{
    constexpr std::string_view kBlank = " \t\v\f\r\x1a";
    auto trim = [&](std::string_view s) {
        std::size_t first = s.find_first_not_of(kBlank);
        if (first == std::string_view::npos)
            return std::string_view{};
        return s.substr(first, s.find_last_not_of(kBlank) - first + 1);
    };
    a = trim(a);
    b = trim(b);
    if (a.size() != b.size())
        return false;
    for (std::size_t k = 0; k < a.size(); ++k)
        if (std::tolower(static_cast<unsigned char>(a[k])) != std::tolower(static_cast<unsigned char>(b[k])))
            return false;
    return true;
}

std::string read(const std::string& section, const std::string& key)
{
    char out[16];
    iniGetString(section.c_str(), key.c_str(), "\x01missing", out, sizeof out, filePath.c_str());
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (filePath.empty()) {
        char dir[] = "/tmp/orvelin-fuzz-ini.XXXXXX";
        if (mkdtemp(dir) == nullptr)
            std::abort();
        filePath = std::string(dir) + "/servoconf.ini";
    }
    auto parts = splitNul({reinterpret_cast<const char*>(data), size}, 4);
    if (parts.size() != 4)
        return -1;
    std::string text(parts[0]);
    std::string section(parts[1]);
    std::string key(parts[2]);
    std::string value(parts[3]);
    if (FILE* f = std::fopen(filePath.c_str(), "wb")) {
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    auto others = probes(text);
    std::vector<std::string> before;
    for (auto& [s, k] : others)
        before.push_back(read(s, k));

    bool written = iniWriteString(section.c_str(), key.c_str(), value.c_str(), filePath.c_str());
    if (written && plain(section, true) && plain(key, false) && (value.empty() || plain(value, false))) {
        if (read(section, key) != value.substr(0, 15))
            std::abort();
    }
    if (!written) {
        FILE* f = std::fopen(filePath.c_str(), "rb");
        std::string after;
        for (int c; f != nullptr && (c = std::fgetc(f)) != EOF;)
            after.push_back(static_cast<char>(c));
        if (f != nullptr)
            std::fclose(f);
        if (after != text)
            std::abort();  // a refused write must leave the file as it was
    }
    for (std::size_t k = 0; k < others.size(); ++k) {
        if (sameName(others[k].first, section) && sameName(others[k].second, key))
            continue;
        if (read(others[k].first, others[k].second) != before[k])
            std::abort();
    }
    return 0;
}
