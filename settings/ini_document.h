// The text of an INI file as lines, read and edited the way the Windows
// private-profile functions read and edit it. Lines that an edit does not
// concern stay byte for byte as they were.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class IniDocument {
public:
    explicit IniDocument(std::string_view text);

    // The value of key in section, blanks around it removed; nothing when
    // the section or the key is missing or the key's line has no '='.
    // The first section and the first key of a name count, names compared
    // without regard to case; lines before the first section header form
    // the section with the empty name.
    std::optional<std::string_view> find(std::string_view section, std::string_view key) const;

    // Replaces the value of the key's line, or adds the key after the last
    // non-blank line of the section, or adds the section and the key at the
    // end. The caller has refused texts with line breaks.
    void set(std::string_view section, std::string_view key, std::string_view value);

    std::string text() const;

private:
    struct Line {
        std::string text;
        std::string end;  // "\r\n", "\n", "\r", or empty on an unterminated last line
    };
    struct Range {
        std::size_t begin;
        std::size_t end;
    };

    std::optional<Range> findSection(std::string_view name) const;
    std::optional<std::size_t> findKey(Range range, std::string_view name) const;
    void insertLine(std::size_t at, std::string text);

    std::vector<Line> lines_;
    std::string lineEnd_;
    bool byteOrderMark_ = false;
};
