#include "settings_clear.h"

#include "messages.h"
#include "port_setup.h"
#include "registers.h"
#include "run_line.h"
#include "serial.h"
#include "window_lines.h"
#include "wire_monitor.h"

bool sendSettingsClear()
{
    long before = wireBytesReceived();
    runLine(kClearLine);
    runLine(kRestartLine);
    if (wireBytesReceived() != before)
        return true;
    complain(Msg::NoReply, SendID, portDisplayName().c_str(), baudRate);
    return false;
}
