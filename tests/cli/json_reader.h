// Just enough JSON to read back what orvelin table --json prints: arrays,
// objects, strings without escapes beyond \" and \\, and integers.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

struct JsonValue {
    std::variant<long long, std::string, std::vector<JsonValue>, std::map<std::string, JsonValue>> value;
};

// The whole text as one value; nothing when it is not valid JSON of that kind.
std::optional<JsonValue> parseJson(const std::string& text);
