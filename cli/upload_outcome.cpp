#include "upload_outcome.h"

#include "exit_codes.h"

UploadOutcome uploadOutcome(UpdateOutcome outcome)
{
    switch (outcome) {
    case UpdateOutcome::FileCannotOpen:
        return {Msg::UploadFailOpen, kExitUploadOpen};
    case UpdateOutcome::BadFile:
        return {Msg::UploadFailNot7Bit, kExitUploadNot7Bit};
    case UpdateOutcome::NoAnswer:
        return {Msg::UploadFailNoAck, kExitUploadNoAck};
    case UpdateOutcome::Rejected:
        return {Msg::UploadFailRejected, kExitUploadRejected};
    default:
        // The link reports no other code; should one come, it is a failed upload all the same.
        return {Msg::UploadFailOther, kExitUploadOpen};
    }
}
