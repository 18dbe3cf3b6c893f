// orvelin ports: the serial devices here, USB latency timers worth fixing,
// and whether the port in force takes low latency.
#include "cli/exit_codes.h"
#include "cli/console/port_notes.h"
#include "cli/texts/messages.h"
#include "cli/port_setup.h"
#include "link/serial.h"
#include "link/serial_devices.h"
#include "settings/settings.h"
#include "cli/subcommands.h"

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

namespace {

constexpr OptionDoc kCommonShown[] = {kPortOption.doc()};

constexpr CommandHelp kHelp = {
    .common = kCommonShown,
    .english = {
        .intro = R"(Lists the serial devices: the stable names under /dev/serial/by-id first, then
/dev/ttyUSB*, /dev/ttyACM* and /dev/ttyS* (on Windows, the COM ports). For a USB adapter
it shows the latency timer: above 1 ms every reply waits for it, and a hint tells how
to set it to 1 ms.

Last, for the port in force (--port, or PORT in servoconf.ini) and only for it, whether
the driver takes low latency while orvelin holds the port: "on" (replies are passed on
at once, whatever the latency timer), "not supported by this driver", or "not available
on this system". The listed devices are not opened: opening a port resets some boards.

Exit status: 0 done, 2 bad arguments.
)",
    },
    .japanese = {
        .intro = R"(シリアルデバイスを一覧表示します: まず /dev/serial/by-id の固定名、次に /dev/ttyUSB*、
/dev/ttyACM*、/dev/ttyS* (Windows では COM ポート)。USB アダプタにはレイテンシタイマーを
表示します。1 ms を超えると応答のたびに待ち時間が生じるため、1 ms にする方法を示します。

最後に、使用するポート (--port または servoconf.ini の PORT) についてだけ、orvelin が
ポートを開いている間ドライバーが低レイテンシに切り替わるかを表示します: 「有効」(レイテンシ
タイマーにかかわらず応答をすぐに受け取ります)、「このドライバーは対応していません」、
「このシステムでは使えません」。一覧のデバイスは開きません (ポートを開くとリセットされる
ボードがあるためです)。

終了コード: 0 完了、2 引数の誤り
)",
    },
};

// Only the port in force is opened: opening a terminal raises DTR, which
// resets some boards, so the listed devices are left alone. A configured
// port that cannot be opened (unplugged, or a name from another system)
// says nothing; one given with --port says so.
void reportPortInForce(const std::string& port, int baud, bool given)
{
    if (port.empty())
        return;
    serial_handle h = serial_open(port.c_str(), baud, kPortTimeoutMs);
    if (h == SERIAL_INVALID) {
        if (given)
            std::printf("%s\n", format(Msg::PortsInForceClosed, port.c_str()).c_str());
        return;
    }
    LowLatency state = serial_low_latency(h);
    serial_close(h);
    std::printf("%s\n", format(Msg::PortsInForce, port.c_str(), lowLatencyNote(state)).c_str());
}

int runPorts(const CommonArgs& args)
{
    if (!expectPositional(args, "ports", 0, 0, ""))
        return kExitUsage;
    if (args.port && !acceptsPortName(*args.port))
        return usageFailure("ports");
    // servoconf.ini is read (and made) only when the port is not given.
    const ConfiguredPort configured =
        args.port ? ConfiguredPort{*args.port, kDefaultBaud, std::atoi(kDefaultBaud)} : readConfiguredPort();
    std::vector<SerialDevice> devices = listSerialDevices();
    if (devices.empty())
        complain(Msg::PortsNone);
    // A by-id name and its ttyUSB node share one timer: one hint is enough.
    std::set<std::string> hinted;
    for (const SerialDevice& device : devices) {
        std::string line = device.path;
        if (!device.target.empty())
            line += " -> " + device.target;
        if (device.latency)
            line += "  (" + format(Msg::PortsLatency, device.latency->milliseconds) + ")";
        std::printf("%s\n", line.c_str());
        if (device.latency && device.latency->milliseconds > kLatencyHintAbove &&
            hinted.insert(device.latency->file).second)
            std::printf("    %s\n", format(Msg::PortsLatencyHint, device.latency->file.c_str()).c_str());
    }
    reportPortInForce(configured.port, configured.baud, args.port.has_value());
    return kExitOk;
}

}  // namespace

const Subcommand portsCommand = subcommand<CommonArgs, kNoOwnOptions, runPorts>("ports", kHelp);
