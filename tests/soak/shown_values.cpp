#include "tests/soak/shown_values.h"

#include "link/registers.h"
#include "tests/cli/cli_fixture.h"
#include "tests/cli/json_reader.h"

#include <regex>
#include <set>
#include <sstream>

namespace {

std::vector<std::string> words(const std::string& line)
{
    std::vector<std::string> all;
    std::istringstream in(line);
    for (std::string word; in >> word;)
        all.push_back(word);
    return all;
}

// "0x03E8" with exactly the register's digits, as valueText writes it.
std::optional<uint32_t> valueOf(const std::string& text, int row)
{
    static const std::regex kHex("0x[0-9A-F]+");
    if (!std::regex_match(text, kHex) || text.size() != 2 + 2 * static_cast<std::size_t>(paramtbl[row].size))
        return std::nullopt;
    return static_cast<uint32_t>(std::stoul(text.substr(2), nullptr, 16));
}

std::optional<int> idOf(const std::string& text)
{
    static const std::regex kId("[0-9A-F]{2}");
    if (!std::regex_match(text, kId))
        return std::nullopt;
    return std::stoi(text, nullptr, 16);
}

Reading failed(Reading reading, const std::string& line)
{
    if (reading.problem.empty())
        reading.problem = "cannot read: \"" + line + "\"";
    return reading;
}

const std::map<std::string, JsonValue>* objectOf(const JsonValue& value)
{
    return std::get_if<std::map<std::string, JsonValue>>(&value.value);
}

const JsonValue* member(const JsonValue& value, const std::string& name)
{
    const auto* object = objectOf(value);
    if (object == nullptr || !object->contains(name))
        return nullptr;
    return &object->at(name);
}

const long long* numberOf(const JsonValue* value)
{
    return value == nullptr ? nullptr : std::get_if<long long>(&value->value);
}

// [{"name": ..., "value": ...}, ...] of one servo.
bool jsonRegisters(const JsonValue& array, int id, Reading& reading)
{
    const auto* registers = std::get_if<std::vector<JsonValue>>(&array.value);
    if (registers == nullptr)
        return false;
    for (const JsonValue& entry : *registers) {
        const auto* name = member(entry, "name") ? std::get_if<std::string>(&member(entry, "name")->value) : nullptr;
        const long long* value = numberOf(member(entry, "value"));
        if (name == nullptr || value == nullptr || rowNamed(*name) < 0)
            return false;
        reading.values.push_back({id, rowNamed(*name), static_cast<uint32_t>(*value)});
    }
    return true;
}

}  // namespace

int rowNamed(const std::string& name)
{
    for (int row = 0; row < kParamRows; ++row)
        if (name == paramtbl[row].name)
            return row;
    return -1;
}

Reading tableText(const std::string& out, std::optional<int> single)
{
    Reading reading;
    std::vector<std::string> all = linesOf(out);
    if (all.empty())
        return reading;
    std::vector<std::string> header = words(all[0]);
    std::vector<int> ids;
    if (single) {
        if (header != std::vector<std::string>{"Name", "Address", "RAM"})
            return failed(reading, all[0]);
        ids.push_back(*single);
    } else {
        for (std::size_t k = 2; k + 1 < header.size(); k += 2) {
            auto id = idOf(header[k + 1]);
            if (header[k] != "ID" || !id)
                return failed(reading, all[0]);
            ids.push_back(*id);
        }
        if (header.size() < 4 || header.size() % 2 != 0)
            return failed(reading, all[0]);
    }
    for (std::size_t k = 1; k < all.size(); ++k) {
        std::vector<std::string> cells = words(all[k]);
        int row = cells.empty() ? -1 : rowNamed(cells[0]);
        if (row < 0 || cells.size() != 2 + ids.size())
            return failed(reading, all[k]);
        for (std::size_t s = 0; s < ids.size(); ++s) {
            auto value = valueOf(cells[2 + s], row);
            if (!value)
                return failed(reading, all[k]);
            reading.values.push_back({ids[s], row, *value});
        }
    }
    return reading;
}

Reading tableJson(const std::string& out, std::optional<int> single)
{
    Reading reading;
    if (out.empty())
        return reading;
    auto json = parseJson(out);
    const auto* top = json ? std::get_if<std::vector<JsonValue>>(&json->value) : nullptr;
    if (top == nullptr)
        return failed(reading, out);
    if (single) {
        if (!jsonRegisters(*json, *single, reading))
            return failed(reading, out);
        return reading;
    }
    for (const JsonValue& servo : *top) {
        const long long* id = numberOf(member(servo, "id"));
        const JsonValue* registers = member(servo, "registers");
        if (id == nullptr || registers == nullptr || !jsonRegisters(*registers, static_cast<int>(*id), reading))
            return failed(reading, out);
    }
    return reading;
}

Reading setLines(const std::string& out, std::optional<int> single)
{
    static const std::regex kLine("(?:ID ([0-9A-F]{2}): )?(\\w+) 0x[0-9A-F]+ = (0x[0-9A-F]+)");
    Reading reading;
    for (const std::string& line : linesOf(out)) {
        std::smatch part;
        if (!std::regex_match(line, part, kLine) || part[1].matched == single.has_value())
            return failed(reading, line);
        int row = rowNamed(part[2]);
        auto value = row < 0 ? std::nullopt : valueOf(part[3], row);
        if (!value)
            return failed(reading, line);
        reading.values.push_back({single ? *single : *idOf(part[1]), row, *value});
    }
    return reading;
}

Reading watchLines(const std::string& out, std::optional<int> single, bool csv)
{
    static const std::regex kTime("\\d+\\.\\d{3}");
    static const std::regex kField("(?:([0-9A-F]{2}):)?(\\w+)=(0x[0-9A-F]+)");
    static const std::regex kColumn("(?:([0-9A-F]{2}):)?(\\w+)");
    Reading reading;
    std::vector<std::string> all = linesOf(out);
    std::vector<std::pair<int, int>> columns;  // (id, row) of each CSV column
    for (std::size_t k = 0; k < all.size(); ++k) {
        std::vector<std::string> cells;
        if (csv) {
            std::istringstream in(all[k]);
            for (std::string cell; std::getline(in, cell, ',');)
                cells.push_back(cell);
        } else {
            cells = words(all[k]);
        }
        if (csv && k == 0) {
            if (cells.empty() || cells[0] != "time_s")
                return failed(reading, all[k]);
            for (std::size_t c = 1; c < cells.size(); ++c) {
                std::smatch part;
                if (!std::regex_match(cells[c], part, kColumn) || part[1].matched == single.has_value() ||
                    rowNamed(part[2]) < 0)
                    return failed(reading, all[k]);
                columns.emplace_back(single ? *single : *idOf(part[1]), rowNamed(part[2]));
            }
            continue;
        }
        if (cells.empty() || !std::regex_match(cells[0], kTime) || (csv && cells.size() != columns.size() + 1))
            return failed(reading, all[k]);
        for (std::size_t c = 1; c < cells.size(); ++c) {
            if (csv) {
                if (cells[c].empty() || cells[c].find_first_not_of("0123456789") != std::string::npos)
                    return failed(reading, all[k]);
                reading.values.push_back(
                    {columns[c - 1].first, columns[c - 1].second, static_cast<uint32_t>(std::stoul(cells[c]))});
                continue;
            }
            std::smatch part;
            if (!std::regex_match(cells[c], part, kField) || part[1].matched == single.has_value())
                return failed(reading, all[k]);
            int row = rowNamed(part[2]);
            auto value = row < 0 ? std::nullopt : valueOf(part[3], row);
            if (!value)
                return failed(reading, all[k]);
            reading.values.push_back({single ? *single : *idOf(part[1]), row, *value});
        }
    }
    return reading;
}

Reading diffText(const std::string& out)
{
    Reading reading;
    std::vector<std::string> all = linesOf(out);
    if (all.empty())
        return reading;
    // Name Address, then "file" and "ID 01" columns.
    std::vector<std::string> header = words(all[0]);
    std::vector<int> sides;
    for (std::size_t k = 2; k < header.size(); ++k) {
        if (header[k] == "file" && sides.empty()) {
            sides.push_back(kFileSide);
            continue;
        }
        auto id = k + 1 < header.size() && header[k] == "ID" ? idOf(header[k + 1]) : std::nullopt;
        if (!id)
            return failed(reading, all[0]);
        sides.push_back(*id);
        ++k;
    }
    if (header.size() < 3 || header[0] != "Name" || header[1] != "Address")
        return failed(reading, all[0]);
    for (std::size_t k = 1; k < all.size(); ++k) {
        std::vector<std::string> cells = words(all[k]);
        int row = cells.empty() ? -1 : rowNamed(cells[0]);
        if (row < 0 || cells.size() != 2 + sides.size())
            return failed(reading, all[k]);
        for (std::size_t s = 0; s < sides.size(); ++s) {
            auto value = valueOf(cells[2 + s], row);
            if (!value)
                return failed(reading, all[k]);
            reading.values.push_back({sides[s], row, *value});
        }
    }
    return reading;
}

Reading diffJson(const std::string& out)
{
    Reading reading;
    if (out.empty())
        return reading;
    auto json = parseJson(out);
    const JsonValue* differences = json ? member(*json, "differences") : nullptr;
    const auto* list = differences ? std::get_if<std::vector<JsonValue>>(&differences->value) : nullptr;
    if (list == nullptr)
        return failed(reading, out);
    for (const JsonValue& entry : *list) {
        const auto* name = member(entry, "name") ? std::get_if<std::string>(&member(entry, "name")->value) : nullptr;
        const JsonValue* values = member(entry, "values");
        if (name == nullptr || rowNamed(*name) < 0 || values == nullptr || objectOf(*values) == nullptr)
            return failed(reading, out);
        for (const auto& [side, value] : *objectOf(*values)) {
            const long long* number = std::get_if<long long>(&value.value);
            auto id = side == "file" ? std::optional<int>(kFileSide) : idOf(side);
            if (number == nullptr || !id)
                return failed(reading, out);
            reading.values.push_back({*id, rowNamed(*name), static_cast<uint32_t>(*number)});
        }
    }
    return reading;
}

Reading scanLines(const std::string& out)
{
    static const std::regex kLine("([0-9A-F]{2})  (0x[0-9A-F]+)  (0x[0-9A-F]+)   [1-9][0-9]*");
    static const int kPartNumber = rowNamed("SYS_PN");
    static const int kVersion = rowNamed("SYS_VER");
    Reading reading;
    std::vector<std::string> all = linesOf(out);
    if (!all.empty() && all[0] != "ID  SYS_PN  SYS_VER  BAUD")
        return failed(reading, all[0]);
    std::set<int> listed;
    for (std::size_t k = 1; k < all.size(); ++k) {
        std::smatch part;
        if (!std::regex_match(all[k], part, kLine))
            return failed(reading, all[k]);
        int id = *idOf(part[1]);
        auto partNumber = valueOf(part[2], kPartNumber);
        auto version = valueOf(part[3], kVersion);
        if (!partNumber || !version)
            return failed(reading, all[k]);
        if (!listed.insert(id).second) {
            reading.problem = "ID " + part[1].str() + " listed twice";
            return reading;
        }
        reading.values.push_back({id, kPartNumber, *partNumber});
        reading.values.push_back({id, kVersion, *version});
    }
    return reading;
}

Reading readBackComplaints(const std::string& err)
{
    static const std::regex kLine("ID ([0-9A-F]{2}): (\\w+) was written with 0x[0-9A-F]+ but reads back (0x[0-9A-F]+)");
    Reading reading;
    for (const std::string& line : linesOf(err)) {
        std::smatch part;
        if (!std::regex_search(line, part, kLine))
            continue;
        int row = rowNamed(part[2]);
        auto value = row < 0 ? std::nullopt : valueOf(part[3], row);
        if (!value)
            return failed(reading, line);
        reading.values.push_back({*idOf(part[1]), row, *value});
    }
    return reading;
}

std::optional<std::map<int, uint32_t>> flashValueFile(const std::string& text, std::string& problem)
{
    static const std::regex kLine("(\\d{1,2}) (0x[0-9A-F]+)");
    std::map<int, uint32_t> values;
    if (!text.empty() && !text.ends_with('\n')) {
        problem = "the last line has no end";
        return std::nullopt;
    }
    for (const std::string& line : linesOf(text)) {
        std::smatch part;
        int row = std::regex_match(line, part, kLine) ? std::stoi(part[1]) : -1;
        auto value = row >= 0 && row < kParamRows ? valueOf(part[2], row) : std::nullopt;
        if (!value || (!values.empty() && row <= values.rbegin()->first)) {
            problem = "not a FLASH value line: \"" + line + "\"";
            return std::nullopt;
        }
        values[row] = *value;
    }
    return values;
}
