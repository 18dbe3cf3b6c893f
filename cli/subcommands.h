// The subcommands of orvelin. Each one's file in cli/commands/ holds the
// struct its arguments are parsed into, its options bound to that struct's
// fields with their help, the prose of its help, and its run; startCommand
// joins them.
#pragma once

#include "cli/console/wire_monitor.h"
#include "cli/exit_codes.h"
#include "cli/options.h"
#include "cli/texts/help_texts.h"

#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>

struct Subcommand {
    std::string_view name;
    CommandHelp help;
    // Its own options, as docsOf<its table>.
    std::span<const OptionDoc> options;
    // Takes the arguments after the command word: startCommand.
    int (*start)(const Subcommand& command, std::span<const std::string> args);
};

extern const Subcommand termCommand;
extern const Subcommand tableCommand;
extern const Subcommand setCommand;
extern const Subcommand clearCommand;
extern const Subcommand flashCommand;
extern const Subcommand updateCommand;
extern const Subcommand scanCommand;
extern const Subcommand watchCommand;
extern const Subcommand portsCommand;
extern const Subcommand configCommand;
extern const Subcommand saveCommand;
extern const Subcommand diffCommand;
extern const Subcommand backupsCommand;
extern const Subcommand restoreCommand;

// The words orvelin takes besides its subcommands: orvelin --version, and
// orvelin help [COMMAND], which shows the same texts as --help.
inline constexpr std::string_view kVersionOption = "--version";
inline constexpr std::string_view kHelpCommand = "help";

// Every subcommand, in the order of the overview's list.
std::span<const Subcommand* const> subcommands();
// The subcommand of that name; nothing for a word that names none.
const Subcommand* findSubcommand(std::string_view name);

// Says on stderr why the arguments were refused and where the help is;
// returns kExitUsage.
int refuseArguments(const Subcommand& command, const std::string& error);

// A command's arguments parsed into Args against the common options and
// options, then its help shown when asked for, else its run with the
// --wire tap in place.
template <class Args, const auto& options, int (*run)(const Args&)>
int startCommand(const Subcommand& command, std::span<const std::string> args)
{
    std::string error;
    std::optional<Args> parsed = parseArgs<Args>(args, options, error);
    if (!parsed)
        return refuseArguments(command, error);
    if (parsed->help) {
        std::fputs(commandHelp(command, helpLanguage()).c_str(), stdout);
        return kExitOk;
    }
    installWireTap(parsed->wire ? stderr : nullptr);
    return run(*parsed);
}

// A subcommand whose arguments are parsed into Args against the common
// options and options, to be run by run.
template <class Args, const auto& options, int (*run)(const Args&)>
constexpr Subcommand subcommand(std::string_view name, const CommandHelp& help)
{
    return {name, help, docsOf<options>, startCommand<Args, options, run>};
}

// Checks the number of positional arguments; a refusal is reported with
// what is missing (missing names it) and where the help is.
bool expectPositional(const CommonArgs& args, std::string_view command, std::size_t min, std::size_t max,
                      const char* missing);

// Points at the subcommand's help after a refusal; returns kExitUsage.
int usageFailure(std::string_view command);
