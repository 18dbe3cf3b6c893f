// How a firmware update ended, from the error code the upload left in the
// thread's last-error value, and the box text each ending gets.
#pragma once

#include "ops/operator_texts.h"

#include <cstdint>

enum class UpdateOutcome {
    Written,
    FileCannotOpen,  // 0x20000001
    BadFile,         // 0x20000002: a byte at or above 0x80 (or too long)
    NoAnswer,        // 0x20000003
    Rejected,        // 0x20000004: the servo refused a chunk's checksum
    Unknown,         // any other code
    PortFailed,      // the port could not be opened (where the link reports it)
};

// The outcome of a failed upload by its error code.
UpdateOutcome failedUpdateOutcome(uint32_t lastError);

// The text of the error box for a failed outcome (its title is UpdateErrorTitle).
OperatorText updateErrorText(UpdateOutcome outcome);
