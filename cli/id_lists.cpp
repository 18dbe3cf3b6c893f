#include "cli/id_lists.h"

#include "cli/options.h"
#include "orvelin/scan.h"

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

}  // namespace

std::optional<std::vector<int>> parseBaudList(const std::string& text)
{
    if (text == "all")
        return orvelin::everyBaudRate();
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
