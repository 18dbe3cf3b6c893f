#include "cli/subcommands.h"

#include "cli/texts/messages.h"

#include <algorithm>

int usageFailure(std::string_view command)
{
    complain(Msg::SeeHelp, std::string(command).c_str());
    return kExitUsage;
}

int refuseArguments(const Subcommand& command, const std::string& error)
{
    std::fflush(stdout);
    std::fprintf(stderr, "orvelin: %s\n", error.c_str());
    return usageFailure(command.name);
}

bool expectPositional(const CommonArgs& args, std::string_view command, std::size_t min, std::size_t max,
                      const char* missing)
{
    if (args.positional.size() < min) {
        complain(Msg::MissingArgument, missing);
        usageFailure(command);
        return false;
    }
    if (args.positional.size() > max) {
        complain(Msg::ExtraArgument, args.positional[max].c_str());
        usageFailure(command);
        return false;
    }
    return true;
}

namespace {

const Subcommand* const kSubcommands[] = {
    &termCommand,    &tableCommand, &setCommand,   &clearCommand, &flashCommand,  &updateCommand, &saveCommand,
    &diffCommand,    &backupsCommand, &restoreCommand, &scanCommand, &watchCommand, &portsCommand, &configCommand,
};

}  // namespace

std::span<const Subcommand* const> subcommands()
{
    return kSubcommands;
}

const Subcommand* findSubcommand(std::string_view name)
{
    auto found = std::ranges::find(kSubcommands, name, &Subcommand::name);
    return found != std::end(kSubcommands) ? *found : nullptr;
}
