// "did you mean 'table'?": the known word closest to a mistyped one.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

// The candidate that typed is a prefix of, or the one within two edits
// (one for short words); nothing when none is that close or two tie.
std::optional<std::string> closestWord(std::string_view typed, std::span<const std::string_view> candidates);
