// What a failed upload's error code means, in words and as an exit status.
#pragma once

#include "messages.h"

#include <cstdint>

struct UploadOutcome {
    Msg text;
    int exitStatus;
};

UploadOutcome uploadOutcome(uint32_t lastError);
