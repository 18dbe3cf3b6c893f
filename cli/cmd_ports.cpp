// orvelin ports: the serial devices here, and USB latency timers worth fixing.
#include "exit_codes.h"
#include "messages.h"
#include "serial_devices.h"
#include "subcommands.h"

#include <cstdio>
#include <set>
#include <string>

namespace {

int runPorts(const ParsedArgs& args)
{
    if (!expectPositional(args, "ports", 0, 0, ""))
        return kExitUsage;
    std::vector<SerialDevice> devices = listSerialDevices();
    if (devices.empty()) {
        complain(Msg::PortsNone);
        return kExitOk;
    }
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
    return kExitOk;
}

}  // namespace

const Subcommand portsCommand = {"ports", {}, runPorts};
