#include "orvelin/servo_lists.h"

#include "link/wire_format.h"

#include <algorithm>
#include <charconv>
#include <set>

namespace orvelin {

namespace {

std::optional<int> idValue(std::string_view text)
{
    if (text.starts_with("0x") || text.starts_with("0X"))
        text.remove_prefix(2);
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0 || value > kHighestId)
        return std::nullopt;
    return value;
}

}  // namespace

std::optional<std::vector<int>> parseIdList(std::string_view text)
{
    std::set<int> ids;
    for (std::size_t start = 0;;) {
        std::size_t comma = std::min(text.find(',', start), text.size());
        std::string_view part = text.substr(start, comma - start);
        std::size_t dash = part.find('-');
        auto first = idValue(part.substr(0, dash));
        auto last = dash == std::string_view::npos ? first : idValue(part.substr(dash + 1));
        if (!first || !last || *first > *last)
            return std::nullopt;
        for (int id = *first; id <= *last; ++id)
            ids.insert(id);
        if (comma == text.size())
            break;
        start = comma + 1;
    }
    return std::vector<int>(ids.begin(), ids.end());
}

bool ServoRun::ok() const
{
    return std::ranges::all_of(outcomes, &Outcome::ok);
}

Outcome ServoRun::firstFailure() const
{
    auto failed = std::ranges::find_if(outcomes, [](const Outcome& outcome) { return !outcome.ok(); });
    return failed == outcomes.end() ? Outcome{} : *failed;
}

ServoRun forEachServo(const std::vector<int>& ids, bool keepGoing, const std::function<Outcome(int id)>& part,
                      const std::function<void(const Outcome&)>& told, const std::function<bool()>& stop)
{
    ServoRun run;
    for (int id : ids) {
        if (stop && stop())
            break;
        Outcome outcome = part(id);
        outcome.id = id;
        run.outcomes.push_back(outcome);
        if (told)
            told(outcome);
        if (!outcome.ok() && !keepGoing)
            break;
    }
    run.untried = ids.size() - run.outcomes.size();
    return run;
}

}  // namespace orvelin
