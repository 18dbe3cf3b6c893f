#include "subcommands.h"

#include "exit_codes.h"
#include "messages.h"

#include <string>

int usageFailure(std::string_view command)
{
    complain(Msg::SeeHelp, std::string(command).c_str());
    return kExitUsage;
}

bool expectPositional(const ParsedArgs& args, std::string_view command, std::size_t min, std::size_t max,
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
