// The operations that change what the servo keeps: the settings clear, the
// FLASH write of the staged values and the firmware update. Each is a fixed
// sequence of command lines. Where the servo must restart, the front end
// asks the operator (a box in either window, a prompt in orvelin) and says
// whether to go on; how an operation ended is returned, never shown here.
#pragma once

#include "ops/command_lines.h"
#include "ops/update_outcome.h"

#include <functional>
#include <string>
#include <string_view>

enum class OperationEnd {
    Done,
    NotConfirmed,  // the operator did not confirm the restart: nothing more was sent
    PortFailed,    // a line found no port (where the link reports it): nothing more was sent
};

// A staged cell's text by paramtbl row, as the front end keeps it.
using CellReader = std::function<std::string(int row)>;

// The steps, for front ends that take several servos through them at once.
// "f 0 3e8", then the restart request.
OperationEnd sendSettingsClear(const LineSender& send);
// "f %x %s" for every staged cell that has a value, in row order.
OperationEnd sendStagedValues(const LineSender& send, const CellReader& cellOf);
// "w 9 1".
OperationEnd sendRestartRequest(const LineSender& send);

// The window's settings clear: the clear, then the operator restarts the
// servo and confirms. No result of the servo is examined.
OperationEnd clearSettings(const LineSender& send, const std::function<bool()>& restartConfirmed);

// The window's FLASH write: the whole settings clear with its confirmation,
// the staged values, the restart request. The staged cells are left as they
// are, to be written again by the next FLASH write.
OperationEnd writeFlash(const LineSender& send, const CellReader& cellOf,
                        const std::function<bool()>& restartConfirmed);

// The window's firmware update: the unlock, the upload of the file and, when
// every chunk was accepted, the restart request. A path longer than the
// upload command takes is refused before anything is sent.
UpdateOutcome updateFirmware(const LineSender& send, std::string_view path);
