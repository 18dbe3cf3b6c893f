#include "ops/bus/bus_port.h"

#include "link/port_settings.h"
#include "link/protocol.h"

BusPort::BusPort()
{
    handle_ = serial_open(comPortName, baudRate, kPortTimeoutMs);
    if (handle_ == SERIAL_INVALID)
        handle_ = serial_open(comPortName, baudRate, kPortTimeoutMs);
}

BusPort::~BusPort()
{
    serial_close(handle_);
}

int BusPort::drain()
{
    return drainLine(handle_, kDrainMax);
}
