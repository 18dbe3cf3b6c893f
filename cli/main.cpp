// orvelin: the ORVELIN servo programmer for the command line. Picks the
// subcommand and hands it the arguments.
#include "cli/subcommands.h"
#include "cli/exit_codes.h"
#include "cli/options.h"
#include "cli/suggest.h"
#include "cli/texts/help_texts.h"
#include "cli/texts/messages.h"
#include "orvelin_version.h"

#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

// An unknown command, with the nearest known one when there is one.
int unknownCommand(const std::string& name)
{
    std::vector<std::string_view> names{kHelpCommand};
    for (const Subcommand* command : subcommands())
        names.push_back(command->name);
    if (auto nearest = closestWord(name, names))
        complain(Msg::UnknownCommandNear, name.c_str(), nearest->c_str());
    else
        complain(Msg::UnknownCommand, name.c_str());
    return kExitUsage;
}

// orvelin help [COMMAND]: the same texts as --help.
int runHelp(const std::vector<std::string>& words)
{
    if (words.size() > 1) {
        complain(Msg::ExtraArgument, words[1].c_str());
        return kExitUsage;
    }
    if (words.empty()) {
        std::fputs(overviewHelp(helpLanguage()).c_str(), stdout);
        return kExitOk;
    }
    const Subcommand* command = findSubcommand(words[0]);
    if (command == nullptr)
        return unknownCommand(words[0]);
    std::fputs(commandHelp(*command, helpLanguage()).c_str(), stdout);
    return kExitOk;
}

}  // namespace

int main(int argc, char** argv)
{
#ifdef _WIN32
    // The texts are UTF-8; the console shows them as such only when told.
    SetConsoleOutputCP(CP_UTF8);
#endif
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == kVersionOption) {
        std::printf("orvelin %s\n", kOrvelinVersion);
        return kExitOk;
    }
    std::size_t lead = leadingCommonOptions(args);
    if (lead == args.size()) {
        bool asked = !args.empty() && (args.back() == kHelpOption.name || args.back() == kHelpOption.shortName);
        std::fputs(overviewHelp(helpLanguage()).c_str(), asked ? stdout : stderr);
        return asked ? kExitOk : kExitUsage;
    }
    if (args[lead] == kHelpCommand)
        return runHelp({args.begin() + static_cast<std::ptrdiff_t>(lead) + 1, args.end()});
    const Subcommand* command = findSubcommand(args[lead]);
    if (command == nullptr)
        return unknownCommand(args[lead]);
    std::vector<std::string> rest(args.begin(), args.begin() + static_cast<std::ptrdiff_t>(lead));
    rest.insert(rest.end(), args.begin() + static_cast<std::ptrdiff_t>(lead) + 1, args.end());
    return command->start(*command, rest);
}
