// The backends' side of serial_last_error: each failure path of serial_open
// records why, per thread.
#pragma once

#include "link/serial.h"

void recordSerialError(SerialFailure failure, int systemCode = 0);
