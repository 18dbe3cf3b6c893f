#include "upload_outcome.h"

#include "exit_codes.h"
#include "lasterror.h"

UploadOutcome uploadOutcome(uint32_t lastError)
{
    switch (lastError) {
    case kUploadOpenFailed:
        return {Msg::UploadFailOpen, kExitUploadOpen};
    case kUploadNot7Bit:
        return {Msg::UploadFailNot7Bit, kExitUploadNot7Bit};
    case kUploadNoAck:
        return {Msg::UploadFailNoAck, kExitUploadNoAck};
    case kUploadRejected:
        return {Msg::UploadFailRejected, kExitUploadRejected};
    default:
        return {Msg::UploadFailOther, kExitUploadOther};
    }
}
