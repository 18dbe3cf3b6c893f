#include "settings/ini_document.h"

#include "settings/ini_syntax.h"

#include <algorithm>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

#ifdef _WIN32
constexpr std::string_view kNativeLineEnd = "\r\n";
#else
constexpr std::string_view kNativeLineEnd = "\n";
#endif

}  // namespace

IniDocument::IniDocument(std::string_view text)
{
    if (text.starts_with(kByteOrderMark)) {
        byteOrderMark_ = true;
        text.remove_prefix(kByteOrderMark.size());
    }
    // CR, LF and CR LF all end a line, as they do for the system functions.
    while (!text.empty()) {
        const auto stop = text.find_first_of("\r\n");
        if (stop == std::string_view::npos) {
            lines_.push_back({std::string(text), {}});
            break;
        }
        const auto endLength = text.substr(stop).starts_with("\r\n") ? 2 : 1;
        lines_.push_back({std::string(text.substr(0, stop)), std::string(text.substr(stop, endLength))});
        text.remove_prefix(stop + endLength);
    }
    // New lines follow the file's own convention.
    const auto ended = std::ranges::find_if(lines_, [](const Line& line) { return !line.end.empty(); });
    lineEnd_ = ended != lines_.end() ? ended->end : std::string(kNativeLineEnd);
}

std::optional<IniDocument::Range> IniDocument::findSection(std::string_view name) const
{
    name = trimBlanks(name);
    std::optional<Range> found;
    if (name.empty()) {
        found = Range{0, lines_.size()};
    }
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto line = parseIniLine(lines_[i].text);
        if (line.kind != IniLine::Kind::section) {
            continue;
        }
        if (found) {
            found->end = i;
            return found;
        }
        if (sameName(line.name, name)) {
            found = Range{i + 1, lines_.size()};
        }
    }
    return found;
}

std::optional<std::size_t> IniDocument::findKey(Range range, std::string_view name) const
{
    name = trimBlanks(name);
    for (auto i = range.begin; i < range.end; ++i) {
        const auto line = parseIniLine(lines_[i].text);
        if (line.kind == IniLine::Kind::key && sameName(line.name, name)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::string_view> IniDocument::find(std::string_view section, std::string_view key) const
{
    const auto range = findSection(section);
    if (!range) {
        return std::nullopt;
    }
    const auto index = findKey(*range, key);
    if (!index) {
        return std::nullopt;
    }
    return parseIniLine(lines_[*index].text).value;
}

void IniDocument::insertLine(std::size_t at, std::string text)
{
    if (at > 0 && lines_[at - 1].end.empty()) {
        lines_[at - 1].end = lineEnd_;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), lineEnd_});
}

void IniDocument::set(std::string_view section, std::string_view key, std::string_view value)
{
    const auto range = findSection(section);
    if (!range) {
        insertLine(lines_.size(), std::string("[").append(trimBlanks(section)).append("]"));
        insertLine(lines_.size(), std::string(trimBlanks(key)) + "=" + std::string(value));
        return;
    }
    if (const auto index = findKey(*range, key)) {
        // Keep the line's own spelling of the key and its spacing up to '='.
        auto& text = lines_[*index].text;
        const auto equals = text.find('=');
        if (equals != std::string::npos) {
            text.erase(equals + 1);
        } else {
            text += '=';
        }
        text += value;
        return;
    }
    auto at = range->begin;
    for (auto i = range->begin; i < range->end; ++i) {
        if (!trimBlanks(lines_[i].text).empty()) {
            at = i + 1;
        }
    }
    insertLine(at, std::string(trimBlanks(key)) + "=" + std::string(value));
}

std::string IniDocument::text() const
{
    std::string out;
    if (byteOrderMark_) {
        out += kByteOrderMark;
    }
    for (const auto& line : lines_) {
        out += line.text;
        out += line.end;
    }
    return out;
}
