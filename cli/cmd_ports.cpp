// orvelin ports: the serial devices here, USB latency timers worth fixing,
// and whether the port in force takes low latency.
#include "exit_codes.h"
#include "low_latency_note.h"
#include "messages.h"
#include "port_setup.h"
#include "serial.h"
#include "serial_devices.h"
#include "settings.h"
#include "subcommands.h"

#include <cstdio>
#include <set>
#include <string>

namespace {

// Only the port in force is opened: opening a terminal raises DTR, which
// resets some boards, so the listed devices are left alone. A configured
// port that cannot be opened (unplugged, or a name from another system)
// says nothing; one given with --port says so.
void reportPortInForce(bool given)
{
    if (comPortName[0] == '\0')
        return;
    serial_handle h = serial_open(comPortName, baudRate, kPortTimeoutMs);
    std::string name = portDisplayName();
    if (h == SERIAL_INVALID) {
        if (given)
            std::printf("%s\n", format(Msg::PortsInForceClosed, name.c_str()).c_str());
        return;
    }
    LowLatency state = serial_low_latency(h);
    serial_close(h);
    std::printf("%s\n", format(Msg::PortsInForce, name.c_str(), lowLatencyNote(state)).c_str());
}

int runPorts(const ParsedArgs& args)
{
    if (!expectPositional(args, "ports", 0, 0, ""))
        return kExitUsage;
    const std::string* port = args.value("--port");
    if (port != nullptr && !setPortName(*port))
        return usageFailure("ports");
    if (port == nullptr)
        readINI();
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
    reportPortInForce(port != nullptr);
    return kExitOk;
}

}  // namespace

const Subcommand portsCommand = {"ports", {}, runPorts};
