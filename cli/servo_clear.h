// The window's settings clear with the restart question, shared by clear and flash.
#pragma once

// Sends "f 0 3e8" and the restart request "w 9 1". False, reported, when
// nothing at all came back: a clear that reached no servo is no clear.
bool sendSettingsClearChecked();

// The settings clear and the restart question: asks the operator to restart
// the servo and press Enter, unless `confirmed` says it is already agreed
// (--yes).
enum class RestartOutcome { NoServo, Unconfirmed, Confirmed };
RestartOutcome clearAndAwaitRestart(bool confirmed);
