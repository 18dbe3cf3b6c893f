// The --help texts, in the language of the messages: orvelin's overview
// here, each command's in its own file with its options (cli/commands/).
#pragma once

#include <string_view>

// One help text in both languages.
struct HelpText {
    const char* english;
    const char* japanese;

    // The one in the language of the messages.
    const char* inLanguage() const;
};

// The help of orvelin as a whole, with its list of commands.
const char* overviewHelp();

// The help of the subcommand of that name, found in the command table;
// nothing for a word that names none.
const char* commandHelp(std::string_view command);
