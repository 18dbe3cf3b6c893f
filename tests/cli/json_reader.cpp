#include "tests/cli/json_reader.h"

#include <cctype>

namespace {

class Reader {
public:
    explicit Reader(const std::string& text) : text_(text) {}

    std::optional<JsonValue> document()
    {
        auto value = any();
        skip();
        if (!value || pos_ != text_.size())
            return std::nullopt;
        return value;
    }

private:
    void skip()
    {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_])))
            ++pos_;
    }
    bool take(char c)
    {
        skip();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    std::optional<std::string> string()
    {
        if (!take('"'))
            return std::nullopt;
        std::string out;
        while (pos_ < text_.size() && text_[pos_] != '"') {
            if (text_[pos_] == '\\' && pos_ + 1 < text_.size())
                ++pos_;
            out += text_[pos_++];
        }
        if (pos_ >= text_.size())
            return std::nullopt;
        ++pos_;
        return out;
    }

    std::optional<JsonValue> any()
    {
        skip();
        if (pos_ >= text_.size())
            return std::nullopt;
        char c = text_[pos_];
        if (c == '"') {
            auto s = string();
            return s ? std::optional<JsonValue>(JsonValue{*s}) : std::nullopt;
        }
        if (c == '[') {
            ++pos_;
            std::vector<JsonValue> items;
            if (take(']'))
                return JsonValue{items};
            do {
                auto item = any();
                if (!item)
                    return std::nullopt;
                items.push_back(*item);
            } while (take(','));
            return take(']') ? std::optional<JsonValue>(JsonValue{items}) : std::nullopt;
        }
        if (c == '{') {
            ++pos_;
            std::map<std::string, JsonValue> members;
            if (take('}'))
                return JsonValue{members};
            do {
                auto key = string();
                if (!key || !take(':'))
                    return std::nullopt;
                auto member = any();
                if (!member)
                    return std::nullopt;
                members[*key] = *member;
            } while (take(','));
            return take('}') ? std::optional<JsonValue>(JsonValue{members}) : std::nullopt;
        }
        std::size_t start = pos_;
        if (c == '-')
            ++pos_;
        while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_])))
            ++pos_;
        if (pos_ == start || (c == '-' && pos_ == start + 1))
            return std::nullopt;
        return JsonValue{std::stoll(text_.substr(start, pos_ - start))};
    }

    const std::string& text_;
    std::size_t pos_ = 0;
};

}  // namespace

std::optional<JsonValue> parseJson(const std::string& text)
{
    return Reader(text).document();
}
