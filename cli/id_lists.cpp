#include "cli/id_lists.h"

#include "cli/options.h"
#include "link/wire_format.h"

#include <set>
#include <sstream>

namespace {

std::vector<std::string> commaParts(const std::string& text)
{
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, ',');)
        parts.push_back(part);
    if (!text.empty() && text.back() == ',')
        parts.emplace_back();
    return parts;
}

std::optional<int> idValue(const std::string& text)
{
    auto value = parseHex(text);
    if (!value || *value > kHighestId)
        return std::nullopt;
    return static_cast<int>(*value);
}

}  // namespace

std::optional<std::vector<int>> parseIdList(const std::string& text)
{
    std::set<int> ids;
    for (const std::string& part : commaParts(text)) {
        auto dash = part.find('-');
        auto first = idValue(part.substr(0, dash));
        auto last = dash == std::string::npos ? first : idValue(part.substr(dash + 1));
        if (!first || !last || *first > *last)
            return std::nullopt;
        for (int id = *first; id <= *last; ++id)
            ids.insert(id);
    }
    if (ids.empty())
        return std::nullopt;
    return std::vector<int>(ids.begin(), ids.end());
}

std::optional<std::vector<int>> parseBaudList(const std::string& text)
{
    std::vector<int> rates;
    for (const std::string& part : commaParts(text)) {
        auto value = parseDecimal(part);
        if (!value || *value == 0 || *value > 0x7FFFFFFF)
            return std::nullopt;
        rates.push_back(static_cast<int>(*value));
    }
    if (rates.empty())
        return std::nullopt;
    return rates;
}
