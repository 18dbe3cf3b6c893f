#include "tools/servo_options.h"

#include "link/wire_format.h"
#include "tools/text_numbers.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

const std::string_view kServoUsage =
    "usage: orvelin-virtual-servo [options]\n"
    "A servo on a pseudo-terminal. Prints the terminal's path on its first line\n"
    "and answers on it until interrupted.\n"
    "  --link PATH     make PATH a symbolic link to the terminal (removed at exit)\n"
    "  --id HEX        the servo's ID (default 3F)\n"
    "  --ids HEX,...   several servos on one bus, each with its own memory; an ID\n"
    "                  given twice puts two servos on it, which both answer\n"
    "  --set ADDR=B,B  preset register bytes of the first servo (hex; repeatable)\n"
    "  --silent        answer nothing\n"
    "  --short N       answer a read block with N bytes only\n"
    "  --stray N       send N noise bytes after each read block reply\n"
    "  --reject N      reject the first N upload chunks\n"
    "  --ignore N      leave the first N upload chunks unanswered\n"
    "  --refuse N      refuse the first N FLASH writes, keeping FLASH; -1 for all\n"
    "  --delay MS      wait MS milliseconds before every reply\n"
    "  --pace BAUD     take the wire time of BAUD for every byte each way\n"
    "  --latency MS    hold replies as a USB adapter's latency timer of MS does\n"
    "  --control FILE  apply control lines appended to FILE\n"
    "  --log FILE      append every packet received to FILE\n"
    "  --help          show this text\n"
    "  --version       show the version\n";

namespace {

// Options that become one line of the control language with their value.
using ValueControl = std::pair<std::string_view, std::string_view>;
constexpr std::array kValueControls = {
    ValueControl{"--set", "set"},       ValueControl{"--short", "short"},
    ValueControl{"--stray", "stray"},   ValueControl{"--reject", "reject"},
    ValueControl{"--ignore", "ignore"}, ValueControl{"--refuse", "refuse"},
    ValueControl{"--delay", "delay"},   ValueControl{"--pace", "pace"},
    ValueControl{"--latency", "latency"},
};

std::optional<std::vector<int>> parseIds(std::string_view list)
{
    std::vector<int> ids;
    for (std::size_t at = 0; at <= list.size();) {
        std::size_t comma = std::min(list.find(',', at), list.size());
        std::optional<int> id = parseNumber(list.substr(at, comma - at), 16);
        if (!id || *id < 0 || *id > kHighestId)
            return std::nullopt;
        ids.push_back(*id);
        at = comma + 1;
    }
    return ids;
}

}  // namespace

std::variant<ServoOptions, std::string> parseServoOptions(std::span<char* const> args)
{
    ServoOptions options;
    for (std::size_t k = 0; k < args.size(); ++k) {
        std::string option = args[k];
        if (option == "--help") {
            options.help = true;
            continue;
        }
        if (option == "--version") {
            options.version = true;
            continue;
        }
        if (option == "--silent") {
            options.controls.push_back({option, "silent 1"});
            continue;
        }
        auto control = std::ranges::find(kValueControls, option, &ValueControl::first);
        std::string* path = option == "--link"      ? &options.linkPath
                          : option == "--control" ? &options.controlPath
                          : option == "--log"     ? &options.logPath
                                                  : nullptr;
        bool idList = option == "--id" || option == "--ids";
        if (control == kValueControls.end() && path == nullptr && !idList)
            return "unknown option " + option;
        if (k + 1 == args.size())
            return option + " needs a value";
        std::string value = args[++k];
        if (path != nullptr) {
            *path = value;
        } else if (idList) {
            std::optional<std::vector<int>> ids = parseIds(value);
            if (!ids || (option == "--id" && ids->size() != 1))
                return option + ": expected hexadecimal IDs 0..3F, not " + value;
            options.ids = *ids;
        } else {
            options.controls.push_back({option + " " + value, std::string(control->second) + " " + value});
        }
    }
    return options;
}
