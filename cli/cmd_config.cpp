// orvelin config: the two keys of servoconf.ini that every command starts from.
#include "exit_codes.h"
#include "messages.h"
#include "port_setup.h"
#include "serial.h"
#include "settings.h"
#include "subcommands.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr const char* kSection = "SERIAL";

std::string readKey(const char* key)
{
    std::vector<char> value(kComPortNameSize + 1);
    profileGetString(kSection, key, "", value.data(), static_cast<int>(value.size()), inifilename);
    return value.data();
}

bool writeKey(const char* key, const std::string& value)
{
    if (profileWriteString(kSection, key, value.c_str(), inifilename))
        return true;
    complain(Msg::ConfigWriteFailed, inifilename);
    return false;
}

int runConfig(const ParsedArgs& args)
{
    if (!expectPositional(args, "config", 0, 0, ""))
        return kExitUsage;
    if (args.has("--id")) {
        complain(Msg::ConfigNoId);
        return usageFailure("config");
    }
    const std::string* port = args.value("--port");
    const std::string* baud = args.value("--baud");
    std::optional<int> rate;
    if (baud != nullptr && !(rate = baudFromText(*baud)))
        return usageFailure("config");
    if (port != nullptr && !setPortName(*port))
        return usageFailure("config");

    // Places the file, creating it with the defaults as the window does.
    readINI();
    if (inifilename[0] == '\0') {
        complain(Msg::ConfigWriteFailed, "servoconf.ini");
        return kExitUsage;
    }
    if (port != nullptr && !writeKey("PORT", *port))
        return kExitUsage;
    if (rate && !writeKey("BAUDRATE", std::to_string(*rate)))
        return kExitUsage;

    std::printf("%s\n", format(Msg::ConfigFile, inifilename).c_str());
    std::printf("PORT=%s\nBAUDRATE=%s\n", readKey("PORT").c_str(), readKey("BAUDRATE").c_str());
    if (port != nullptr || rate)
        std::fprintf(stderr, "%s\n", text(Msg::ConfigSaved));
    return kExitOk;
}

}  // namespace

const Subcommand configCommand = {"config", {}, runConfig};
