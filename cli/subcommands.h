// The subcommands of orvelin: the options each takes beyond the common ones
// and the function that runs it.
#pragma once

#include "options.h"

#include <span>
#include <string_view>

struct Subcommand {
    std::string_view name;
    std::span<const OptionDef> options;
    int (*run)(const ParsedArgs& args);
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

// Checks the number of positional arguments; a refusal is reported with
// what is missing (missing names it) and where the help is.
bool expectPositional(const ParsedArgs& args, std::string_view command, std::size_t min, std::size_t max,
                      const char* missing);

// Points at the subcommand's help after a refusal; returns kExitUsage.
int usageFailure(std::string_view command);
