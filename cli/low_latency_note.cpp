#include "low_latency_note.h"

#include "messages.h"

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
