#include "latency_hint.h"

#include "messages.h"
#include "serial.h"
#include "serial_devices.h"

void warnAboutLatency()
{
    // Windows keeps the latency timer in the adapter driver's settings, out
    // of reach of a console program.
#ifndef _WIN32
    auto latency = usbLatency(comPortName);
    if (latency && latency->milliseconds > kLatencyHintAbove)
        complain(Msg::LatencyHint, comPortName, latency->milliseconds, latency->file.c_str());
#endif
}
