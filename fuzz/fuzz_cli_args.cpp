// The command line's parsers on any arguments: options, register names and
// values, ID and baud lists.
// Input: arguments separated by NUL bytes. The refusals the parsers print
// go to stderr: run with -close_fd_mask=2, as fuzz/run.sh and ctest do.
#include "cli/id_lists.h"
#include "orvelin/servo_lists.h"
#include "cli/options.h"
#include "cli/register_args.h"
#include "link/registers.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

struct FuzzArgs : CommonArgs {
    bool json = false;
    std::optional<std::string> ids;
    std::optional<std::string> count;
    std::optional<std::string> interval;
};

constexpr Option<FuzzArgs> kOwn[] = {
    {"--json", &FuzzArgs::json},
    {"--ids", &FuzzArgs::ids},
    {"--count", &FuzzArgs::count},
    {"--interval", &FuzzArgs::interval},
};

// A value an option holds is one of the arguments, or what follows the '=' of one.
bool givenIn(const std::optional<std::string>& value, const std::vector<std::string>& args)
{
    return !value || std::ranges::any_of(args, [&](const std::string& arg) {
        return arg == *value || arg.ends_with("=" + *value);
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    std::vector<std::string> args(1);
    for (std::size_t k = 0; k < size; ++k) {
        if (data[k] == 0)
            args.emplace_back();
        else
            args.back().push_back(static_cast<char>(data[k]));
    }
    if (leadingCommonOptions(args) > args.size())
        std::abort();
    std::string error;
    if (auto parsed = parseArgs<FuzzArgs>(args, kOwn, error)) {
        if (parsed->positional.size() > args.size())
            std::abort();
        for (const std::optional<std::string>* value :
             {&parsed->port, &parsed->baud, &parsed->id, &parsed->ids, &parsed->count, &parsed->interval})
            if (!givenIn(*value, args))
                std::abort();
    } else if (error.empty()) {
        std::abort();  // a refusal always says why
    }
    for (std::size_t k = 0; k + 1 < args.size(); k += 2) {
        std::optional<int> row = registerFromText(args[k]);
        if (!row)
            continue;
        if (*row < 0 || *row >= kParamRows)
            std::abort();
        if (auto value = valueFromText(args[k + 1], *row); value && *value > groupsMax(paramtbl[*row].size))
            std::abort();  // a value too wide for its register must be refused
    }
    for (const std::string& a : args) {
        if (auto ids = orvelin::parseIdList(a)) {
            for (std::size_t i = 0; i < ids->size(); ++i)
                if ((*ids)[i] < 0 || (*ids)[i] > 0x3F || (i > 0 && (*ids)[i] <= (*ids)[i - 1]))
                    std::abort();
        }
        if (auto rates = parseBaudList(a))
            for (int r : *rates)
                if (r <= 0)
                    std::abort();
    }
    return 0;
}
