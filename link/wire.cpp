#include "serial.h"

namespace {
wire_observer observer = nullptr;
}

void set_wire_observer(wire_observer o)
{
    observer = o;
}

void wire_notify(WireDirection direction, const void* data, int n)
{
    if (observer != nullptr && n > 0)
        observer(direction, static_cast<const unsigned char*>(data), n);
}
