// The --help texts: each command's usage line and list of options are made
// from its option table (cli/options.h), around the prose of its own file
// (cli/commands/); orvelin's overview lists the common options the same way.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

struct Subcommand;

enum class Language { english, japanese };

// The language of the messages (cli/texts/messages.h).
Language helpLanguage();

// A text in both languages.
struct Bilingual {
    std::string_view english;
    std::string_view japanese;

    constexpr std::string_view in(Language language) const
    {
        return language == Language::japanese ? japanese : english;
    }
    constexpr bool empty() const { return english.empty(); }
};

// What the help, the usage line and the completion say of an option: an
// Option (cli/options.h) without the field it sets.
struct OptionDoc {
    std::string_view name;            // "--keep-going"
    Bilingual metavar = {};           // {"LIST", "リスト"}; none for a flag
    Bilingual help = {};              // its lines in the list of options; none: only in the usage line
    bool orPrevious = false;          // in the usage line, a choice with the option before: [--csv | --plot]
    std::string_view shortName = {};  // "-h"
};

// Where a list of options starts the descriptions and the lines they go on
// in: past the widest label by gap spaces, or at a column of their own
// (counted from the line's start, as a few texts were aligned by hand) that
// a wider label runs over by gap spaces.
struct ListLayout {
    std::size_t gap = 3;
    std::size_t column = 0;
};

// A command's help in one language, besides its options: the arguments of
// its usage line, the prose between the usage line and the list of
// options, and the prose after the list.
struct HelpPage {
    std::string_view arguments = {};  // "FILE", "REGISTER VALUE"
    std::string_view intro = {};
    std::string_view outro = {};
    ListLayout layout = {};
};

// A command's help besides its own options.
struct CommandHelp {
    // The common options the usage line shows after the command's own.
    std::span<const OptionDoc> common = {};
    // The arguments come after the options in the usage line: [--] LINE...
    bool argumentsLast = false;
    HelpPage english = {};
    HelpPage japanese = {};
};

// A command's --help: its usage line ("Usage: orvelin clear [--yes] ..."),
// a blank line, the intro, the list of its options and the outro.
std::string commandHelp(const Subcommand& command, Language language);

// The help of orvelin as a whole: its summary line, its usage lines, then
// its body: the list of commands, the common options and the exit statuses.
std::string overviewHelp(Language language);
// The parts of the overview, for the man page: "the ORVELIN servo
// programmer ...", the usage lines without "Usage: ", the body.
std::string_view overviewSummary(Language language);
std::span<const std::string_view> overviewSynopsis(Language language);
std::string overviewBody(Language language);
