#include "link/serial_error.h"

namespace {
thread_local SerialError lastError{SerialFailure::None, 0};
}

void recordSerialError(SerialFailure failure, int systemCode)
{
    lastError = {failure, systemCode};
}

SerialError serial_last_error()
{
    return lastError;
}
