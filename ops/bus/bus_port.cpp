#include "ops/bus/bus_port.h"

#include "link/port_settings.h"
#include "link/protocol.h"

#include <algorithm>

BusPort::BusPort(std::string path, int baud) : path_(std::move(path)), baud_(baud)
{
    handle_ = serial_open(path_.c_str(), baud_, kPortTimeoutMs);
    if (handle_ == SERIAL_INVALID)
        handle_ = serial_open(path_.c_str(), baud_, kPortTimeoutMs);
}

BusPort::BusPort() : BusPort(comPortName, baudRate) {}

BusPort::~BusPort()
{
    serial_close(handle_);
}

bool BusPort::setBaud(int baud)
{
    if (!isOpen() || !serial_set_baud(handle_, baud))
        return false;
    baud_ = baud;
    return true;
}

int BusPort::drain()
{
    return drainLine(handle_, kDrainMax);
}

void BusPort::sawLatency(int us)
{
    latencyUs_ = std::max(latencyUs_, us);
}
