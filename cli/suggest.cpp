#include "cli/suggest.h"

#include <algorithm>
#include <vector>

namespace {

// Edits between two words: insertions, deletions, substitutions and
// swaps of two neighbours.
std::size_t distance(std::string_view a, std::string_view b)
{
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i)
        d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j)
        d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            std::size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[a.size()][b.size()];
}

}  // namespace

std::optional<std::string> closestWord(std::string_view typed, std::span<const std::string_view> candidates)
{
    if (typed.empty())
        return std::nullopt;
    std::vector<std::string_view> prefixed;
    for (std::string_view c : candidates)
        if (c.starts_with(typed))
            prefixed.push_back(c);
    if (prefixed.size() == 1)
        return std::string(prefixed[0]);

    const std::size_t allowed = typed.size() <= 4 ? 1 : 2;
    std::optional<std::string> best;
    std::size_t bestDistance = allowed + 1;
    bool tie = false;
    for (std::string_view c : candidates) {
        std::size_t d = distance(typed, c);
        if (d < bestDistance) {
            best = std::string(c);
            bestDistance = d;
            tie = false;
        } else if (d == bestDistance) {
            tie = true;
        }
    }
    return tie ? std::nullopt : best;
}
