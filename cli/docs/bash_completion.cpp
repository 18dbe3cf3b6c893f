#include "cli/docs/generated_docs.h"

#include "cli/options.h"
#include "cli/subcommands.h"

#include <algorithm>
#include <map>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// The functions that complete a command line from the tables written before
// them: a device after an option whose value is a DEVICE, files after a FILE,
// the commands after a COMMAND.
constexpr std::string_view kCompleter = R"bash(_orvelin_files()
{
    compopt -o filenames 2>/dev/null
    COMPREPLY=($(compgen -f -- "$cur"))
}

_orvelin_devices()
{
    local device
    for device in /dev/serial/by-id/* /dev/ttyUSB* /dev/ttyACM*; do
        [ -e "$device" ] && echo "$device"
    done
}

_orvelin()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    local command= word k
    # The first word that is neither an option nor an option's value.
    for ((k = 1; k < COMP_CWORD; k++)); do
        word=${COMP_WORDS[k]}
        case $word in
        -*) [ -n "$(_orvelin_value_of "$word")" ] && ((k++)) ;;
        *) command=$word; break ;;
        esac
    done
    COMPREPLY=()
    case $(_orvelin_value_of "$prev") in
    DEVICE)
        COMPREPLY=($(compgen -W "$(_orvelin_devices)" -- "$cur"))
        [ ${#COMPREPLY[@]} -eq 0 ] && _orvelin_files
        return
        ;;
    FILE)
        _orvelin_files
        return
        ;;
    ?*) return ;;
    esac
    if [ -z "$command" ]; then
        case $cur in
        -*) COMPREPLY=($(compgen -W "$_orvelin_leading_options" -- "$cur")) ;;
        *) COMPREPLY=($(compgen -W "$_orvelin_commands" -- "$cur")) ;;
        esac
    elif [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$(_orvelin_command_options "$command")" -- "$cur"))
    else
        case $(_orvelin_arguments_of "$command") in
        FILE) _orvelin_files ;;
        COMMAND) COMPREPLY=($(compgen -W "$_orvelin_commands" -- "$cur")) ;;
        esac
    fi
}
complete -F _orvelin orvelin
)bash";

// A shell function's cases: a key and what it echoes ("flash) echo FILE ;;").
using Cases = std::vector<std::pair<std::string_view, std::string>>;

std::string caseFunction(std::string_view comment, std::string_view name, const Cases& cases)
{
    std::string text = "# ";
    text.append(comment).append("\n").append(name).append("()\n{\n    case $1 in\n");
    for (const auto& [key, echoed] : cases)
        text.append("        ").append(key).append(") echo ").append(echoed).append(" ;;\n");
    return text.append("    esac\n}\n\n");
}

std::string joined(const std::vector<std::string_view>& words)
{
    std::string text;
    for (std::string_view word : words)
        text.append(text.empty() ? "" : " ").append(word);
    return text;
}

std::string quoted(std::string_view words)
{
    return "'" + std::string(words) + "'";
}

// Whether a command's arguments, as its usage line writes them, name a
// file: FILE, [FILE].
bool takesFiles(const Subcommand& command)
{
    std::string words = " " + std::string(command.help.english.arguments) + " ";
    return words.find(" FILE ") != std::string::npos || words.find(" [FILE] ") != std::string::npos;
}

}  // namespace

std::string bashCompletion()
{
    std::vector<std::string_view> commands;
    Cases options;
    Cases arguments;
    // What an option's value names: its metavar in the common options, else
    // in the first command that has it.
    std::map<std::string_view, std::string_view> values;
    for (const Option<CommonArgs>& option : kCommonOptions)
        if (!option.metavar.empty())
            values.emplace(option.name, option.metavar.english);
    for (const Subcommand* command : subcommands()) {
        commands.push_back(command->name);
        std::vector<std::string_view> names;
        for (const OptionDoc& option : command->options) {
            names.push_back(option.name);
            if (!option.metavar.empty())
                values.emplace(option.name, option.metavar.english);
        }
        for (const OptionDoc& option : command->help.common)
            names.push_back(option.name);
        names.push_back(kHelpOption.name);
        options.emplace_back(command->name, quoted(joined(names)));
        if (takesFiles(*command))
            arguments.emplace_back(command->name, "FILE");
    }
    commands.push_back(kHelpCommand);
    options.emplace_back(kHelpCommand, quoted(""));
    arguments.emplace_back(kHelpCommand, "COMMAND");
    Cases valueCases;
    for (auto [option, value] : values)
        valueCases.emplace_back(option, quoted(value));

    std::vector<std::string_view> leading{kVersionOption};
    for (const Option<CommonArgs>& option : kCommonOptions)
        leading.push_back(option.name);
    std::ranges::sort(leading);

    std::string script = "# bash completion for orvelin, written from its option tables by orvelin-docs (cli/docs/).\n\n";
    script.append("_orvelin_commands=").append(quoted(joined(commands))).append("\n");
    script.append("_orvelin_leading_options=").append(quoted(joined(leading))).append("\n\n");
    script.append(caseFunction("The options of a command, from its usage line.", "_orvelin_command_options", options));
    script.append(caseFunction("What the value of an option names (DEVICE, FILE, ...); empty for a flag.",
                               "_orvelin_value_of", valueCases));
    script.append(caseFunction("What the arguments of a command name, where they name files or commands.",
                               "_orvelin_arguments_of", arguments));
    return script.append(kCompleter);
}
