#include "servo_clear.h"

#include "messages.h"
#include "port_setup.h"
#include "registers.h"
#include "restart_prompt.h"
#include "serial.h"
#include "servo_operations.h"
#include "term.h"
#include "wire_monitor.h"

bool sendSettingsClearChecked()
{
    long before = wireBytesReceived();
    sendSettingsClear(term);
    if (wireBytesReceived() != before)
        return true;
    complain(Msg::NoReply, SendID, portDisplayName().c_str(), baudRate);
    return false;
}

RestartOutcome clearAndAwaitRestart(bool confirmed)
{
    if (!sendSettingsClearChecked())
        return RestartOutcome::NoServo;
    if (confirmed) {
        announce(Msg::ClearDoneTitle, std::nullopt);
        return RestartOutcome::Confirmed;
    }
    announce(Msg::ClearDoneTitle, Msg::RestartPrompt);
    return waitForEnter() ? RestartOutcome::Confirmed : RestartOutcome::Unconfirmed;
}
