#include "cli/console/port_notes.h"

#include "cli/texts/messages.h"
#include "link/serial_devices.h"

void warnAboutLatency([[maybe_unused]] const std::string& port)
{
    // Windows keeps the latency timer in the adapter driver's settings, out
    // of reach of a console program.
#ifndef _WIN32
    auto latency = usbLatency(port);
    if (latency && latency->milliseconds > kLatencyHintAbove)
        complain(Msg::LatencyHint, port.c_str(), latency->milliseconds, latency->file.c_str());
#endif
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
