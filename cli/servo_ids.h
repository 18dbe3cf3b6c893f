// Which servos a command works on: --id as one ID, a list, a range or all,
// on the bus the run opens.
#pragma once

#include "cli/options.h"
#include "cli/outcomes.h"
#include "cli/port_setup.h"

#include <memory>
#include <optional>

// What most commands start with: the chosen port, the bus opened on it, and
// the servos of --id (all: those that answer a scan, none of them garbled),
// or the chosen ID alone.
struct ServoSession {
    PortChoice choice;
    std::unique_ptr<RunBus> bus;
    ServoIds servos;
};
// Nothing once a refusal has been reported, with its exit status in status.
// An ID list is checked before the port is opened. With BusyPort::Wait a
// port that another command holds a moment (orvelin set from another
// terminal) is waited for a little rather than given up at once.
enum class BusyPort { Fail, Wait };
std::optional<ServoSession> openServos(const CommonArgs& args, int& status, BusyPort busy = BusyPort::Fail);
