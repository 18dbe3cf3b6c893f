// orvelin config: the two keys of servoconf.ini that every command starts from.
#include "cli/exit_codes.h"
#include "cli/texts/messages.h"
#include "cli/port_setup.h"
#include "link/serial.h"
#include "settings/device_path.h"
#include "settings/settings.h"
#include "cli/subcommands.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr OptionDoc kCommonShown[] = {kPortOption.doc(), kBaudOption.doc()};

constexpr CommandHelp kHelp = {
    .common = kCommonShown,
    .english = {
        .intro = R"(Shows the configuration file with its PORT and BAUDRATE, which every command uses when
--port or --baud is not given (the keys the window's options dialog writes). With --port
or --baud it stores the new values.

Example: orvelin config --port /dev/ttyUSB0 --baud 115200

Exit status: 0 done, 2 a value no command could use, or the file cannot be written.
)",
    },
    .japanese = {
        .intro = R"(設定ファイルとその PORT、BAUDRATE を表示します。--port や --baud を省略したとき、
各コマンドはこの値を使います (ウィンドウのオプションダイアログが書くのと同じキーです)。
--port または --baud を指定すると、その値を保存します。

例: orvelin config --port /dev/ttyUSB0 --baud 115200

終了コード: 0 完了、2 使えない値、またはファイルに書き込めない
)",
    },
};

constexpr const char* kSection = "SERIAL";

std::string readKey(const char* key)
{
    std::vector<char> value(kPortReadSize);
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

int runConfig(const CommonArgs& args)
{
    if (!expectPositional(args, "config", 0, 0, ""))
        return kExitUsage;
    if (args.id) {
        complain(Msg::ConfigNoId);
        return usageFailure("config");
    }
    std::optional<int> rate;
    if (args.baud && !(rate = baudFromText(*args.baud)))
        return usageFailure("config");
    if (args.port && !acceptsPortName(*args.port))
        return usageFailure("config");

    // Places the file, creating it with the defaults as the window does.
    readConfiguredPort();
    if (inifilename[0] == '\0') {
        complain(Msg::ConfigWriteFailed, "servoconf.ini");
        return kExitUsage;
    }
    if (args.port && !writeKey("PORT", *args.port))
        return kExitUsage;
    if (rate && !writeKey("BAUDRATE", std::to_string(*rate)))
        return kExitUsage;

    std::printf("%s\n", format(Msg::ConfigFile, inifilename).c_str());
    std::printf("PORT=%s\nBAUDRATE=%s\n", readKey("PORT").c_str(), readKey("BAUDRATE").c_str());
    if (args.port || rate)
        std::fprintf(stderr, "%s\n", text(Msg::ConfigSaved));
    return kExitOk;
}

}  // namespace

const Subcommand configCommand = subcommand<CommonArgs, kNoOwnOptions, runConfig>("config", kHelp);
