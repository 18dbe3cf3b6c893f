#include "settings_clear.h"

#include "messages.h"
#include "port_setup.h"
#include "restart_prompt.h"
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

RestartOutcome clearAndAwaitRestart(bool confirmed)
{
    if (!sendSettingsClear())
        return RestartOutcome::NoServo;
    if (confirmed) {
        announce(Msg::ClearDoneTitle, std::nullopt);
        return RestartOutcome::Confirmed;
    }
    announce(Msg::ClearDoneTitle, Msg::RestartPrompt);
    return waitForEnter() ? RestartOutcome::Confirmed : RestartOutcome::Unconfirmed;
}
