#include "link/serial.h"

namespace {
wire_observer observer = nullptr;
open_observer opened = nullptr;
}

void set_wire_observer(wire_observer o)
{
    observer = o;
}

void wire_notify(WireDirection direction, const void* data, int n)
{
    // A read that got nothing is shown too: it is how a silent servo looks.
    if (observer != nullptr && (n > 0 || direction == WireDirection::Received))
        observer(direction, static_cast<const unsigned char*>(data), n);
}

void set_open_observer(open_observer o)
{
    opened = o;
}

void open_notify(serial_handle h)
{
    if (opened != nullptr)
        opened(h);
}
