// How one line of an INI file reads: a section header, a key line, or
// anything else (blank lines, malformed headers).
#pragma once

#include <optional>
#include <string_view>

// Blanks as the private-profile functions skip them: white space and the
// old end-of-file mark Ctrl-Z.
std::string_view trimBlanks(std::string_view text);
bool sameName(std::string_view a, std::string_view b);

struct IniLine {
    enum class Kind { other, section, key };
    Kind kind = Kind::other;
    std::string_view name;                 // section or key name, trimmed
    std::optional<std::string_view> value;  // trimmed; none when the line has no '='
};

IniLine parseIniLine(std::string_view line);
