#include "tools/servo_options.h"

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
    "                  HEX@BAUD: a servo that hears only while the line is set\n"
    "                  to BAUD, as a real one does (--ids 1@57600,2@115200,3F)\n"
    "  --set ADDR=B,B  preset register bytes of the first servo (hex; repeatable)\n"
    "  --silent        answer nothing\n"
    "  --short N       answer a read block with N bytes only\n"
    "  --stray N       send N noise bytes after each read block reply\n"
    "  --reject N      reject the first N upload chunks\n"
    "  --ignore N      leave the first N upload chunks unanswered\n"
    "  --refuse N      refuse the first N FLASH writes, keeping FLASH; -1 for all\n"
    "  --delay MS      wait MS milliseconds before every reply\n"
    "  --pace BAUD     take the wire time of BAUD for every byte each way\n"
    "  --pace line     the same at the rate the host has set on the line\n"
    "  --latency MS    hold replies as a USB adapter's latency timer of MS does\n"
    "  --echo          return every byte received ahead of the reply, as a\n"
    "                  one-wire adapter does (paced and held like replies)\n"
    "  --update-resets a servo restarted (\"w 9 1\") after upload chunks comes\n"
    "                  back with its factory settings: the factory memory of\n"
    "                  ID 3F in RAM and FLASH, so it answers at 3F; a restart\n"
    "                  without an upload before it keeps its settings\n"
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

// Options without a value, and their control-language line.
using SwitchControl = std::pair<std::string_view, std::string_view>;
constexpr std::array kSwitchControls = {
    SwitchControl{"--silent", "silent 1"},
    SwitchControl{"--echo", "echo 1"},
    SwitchControl{"--update-resets", "upreset 1"},
};

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
        if (auto flag = std::ranges::find(kSwitchControls, option, &SwitchControl::first);
            flag != kSwitchControls.end()) {
            options.controls.push_back({option, std::string(flag->second)});
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
            std::optional<std::vector<BusServo>> servos = parseBusServos(value);
            if (!servos || (option == "--id" && servos->size() != 1))
                return option
                     + (value.find('@') == std::string::npos
                            ? ": expected hexadecimal IDs 0..3F, not "
                            : ": expected hexadecimal IDs 0..3F, each alone or with @ and a baud rate, not ")
                     + value;
            options.servos = *servos;
        } else {
            options.controls.push_back({option + " " + value, std::string(control->second) + " " + value});
        }
    }
    return options;
}
