#include "ops/update_outcome.h"

#include "link/lasterror.h"

UpdateOutcome failedUpdateOutcome(uint32_t lastError)
{
    switch (lastError) {
    case kUploadOpenFailed:
        return UpdateOutcome::FileCannotOpen;
    case kUploadNot7Bit:
        return UpdateOutcome::BadFile;
    case kUploadNoAck:
        return UpdateOutcome::NoAnswer;
    case kUploadRejected:
        return UpdateOutcome::Rejected;
    case kPortOpenFailed:
        return UpdateOutcome::PortFailed;
    default:
        return UpdateOutcome::Unknown;
    }
}

OperatorText updateErrorText(UpdateOutcome outcome)
{
    switch (outcome) {
    case UpdateOutcome::FileCannotOpen:
        return OperatorText::UpdateFileCannotOpen;
    case UpdateOutcome::BadFile:
        return OperatorText::UpdateBadFile;
    case UpdateOutcome::NoAnswer:
        return OperatorText::UpdateNoAnswer;
    case UpdateOutcome::Rejected:
        return OperatorText::UpdateRejected;
    case UpdateOutcome::PortFailed:
        return OperatorText::PortOpenFatal;
    default:
        return OperatorText::UpdateUnknown;
    }
}
