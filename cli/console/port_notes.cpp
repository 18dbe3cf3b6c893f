#include "cli/console/port_notes.h"

#include "cli/port_setup.h"
#include "cli/texts/messages.h"
#include "link/serial_devices.h"

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

void noteEcho(bool echoed)
{
    static bool said = false;
    if (!echoed || said)
        return;
    said = true;
    std::fflush(stdout);
    complain(Msg::AdapterEchoes, portDisplayName().c_str());
}

const char* lowLatencyNote(LowLatency state)
{
    switch (state) {
    case LowLatency::On:
        return text(Msg::LowLatencyOn);
    case LowLatency::Refused:
        return text(Msg::LowLatencyRefused);
    case LowLatency::Unavailable:
        break;
    }
    return text(Msg::LowLatencyUnavailable);
}
