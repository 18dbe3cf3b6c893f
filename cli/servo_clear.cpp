#include "servo_clear.h"

#include "exit_codes.h"
#include "messages.h"
#include "port_setup.h"
#include "registers.h"
#include "restart_prompt.h"
#include "serial.h"
#include "servo_ids.h"
#include "servo_operations.h"
#include "servo_probe.h"
#include "term.h"
#include "wire_monitor.h"

#include <algorithm>
#include <string>

bool sendSettingsClearChecked()
{
    long before = wireBytesReceived();
    sendSettingsClear(term);
    if (wireBytesReceived() != before)
        return true;
    complain(Msg::NoReply, SendID, portDisplayName().c_str(), baudRate);
    return false;
}

RestartOutcome awaitRestart(bool confirmed, const std::vector<int>& cleared)
{
    std::optional<Msg> question;
    if (!confirmed)
        question = cleared.size() > 1 ? Msg::RestartPromptMany : Msg::RestartPrompt;
    if (cleared.size() > 1) {
        std::string ids;
        for (int id : cleared)
            ids += (ids.empty() ? "" : ", ") + format(Msg::ServoId, id);
        announceFor(Msg::ClearDoneTitle, ids, question);
    } else {
        announce(Msg::ClearDoneTitle, question);
    }
    if (confirmed)
        return RestartOutcome::Confirmed;
    return waitForEnter() ? RestartOutcome::Confirmed : RestartOutcome::Unconfirmed;
}

int servosAnswering(const ServoIds& servos, bool keepGoing, ServoIds& answering)
{
    // One servo needs no asking: its clear finds out whether it answers.
    if (!servos.listed) {
        answering = servos;
        return kExitOk;
    }
    answering = ServoIds{{}, true};
    std::vector<int> found = probeServos(
        servos.ids, [](int, std::size_t) {}, [](int, const unsigned char*) {}, [] { return false; });
    int status = kExitOk;
    for (int id : servos.ids) {
        if (std::find(found.begin(), found.end(), id) != found.end()) {
            answering.ids.push_back(id);
            continue;
        }
        complain(Msg::NoReply, id, portDisplayName().c_str(), baudRate);
        status = kExitNoReply;
        if (!keepGoing)
            break;
    }
    return status;
}

ClearRun clearServos(const ServoIds& servos, bool keepGoing, bool confirmed)
{
    ClearRun run{kExitOk, {}};
    run.status = forEachServo(
        servos, keepGoing,
        [&](int id) {
            if (!sendSettingsClearChecked())
                return kExitNoReply;
            run.cleared.push_back(id);
            return kExitOk;
        },
        false);
    if (!run.cleared.empty())
        run.restart = awaitRestart(confirmed, run.cleared);
    return run;
}
