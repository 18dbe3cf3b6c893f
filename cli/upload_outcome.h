// What a failed upload means to orvelin's users, in words and as an exit status.
#pragma once

#include "messages.h"
#include "update_outcome.h"

struct UploadOutcome {
    Msg text;
    int exitStatus;
};

UploadOutcome uploadOutcome(UpdateOutcome outcome);
