#include "qt/trace_capture.h"

#include "link/serial.h"
#include "link/trace.h"

#include <cstdlib>

namespace {

// The observer is a plain function; the one capture it writes into.
TraceCapture* installed = nullptr;

void onWire(WireDirection direction, const unsigned char* data, int n)
{
    if (installed != nullptr)
        installed->writeWireLine(direction == WireDirection::Sent, data, n);
}

}  // namespace

void TraceCapture::install()
{
    installed = this;
    set_wire_observer(onWire);
}

void TraceCapture::uninstall()
{
    set_wire_observer(nullptr);
    installed = nullptr;
}

void TraceCapture::begin()
{
    previous_ = traceOut;
    buffer_ = nullptr;
    size_ = 0;
    stream_ = open_memstream(&buffer_, &size_);
    if (stream_ != nullptr)
        traceOut = stream_;
}

std::string TraceCapture::end()
{
    if (stream_ == nullptr)
        return {};
    traceOut = previous_;
    std::fclose(stream_);
    stream_ = nullptr;
    std::string text(buffer_, size_);
    std::free(buffer_);
    buffer_ = nullptr;
    return text;
}

// A packet line of its own, even where the trace is in the middle of one:
// milliseconds since the worker started, the direction, the bytes, or
// "(nothing)" for a read that timed out empty.
void TraceCapture::writeWireLine(bool sent, const unsigned char* data, int n)
{
    if (!wireShown_ || stream_ == nullptr)
        return;
    if (!traceAtLineStart()) {
        std::fputc('\n', stream_);
        traceLineEnded();
    }
    auto elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_);
    std::fprintf(stream_, "%10.3f ms %s", elapsed.count(), sent ? "->" : "<-");
    for (int k = 0; k < n; ++k)
        std::fprintf(stream_, " %02X", data[k]);
    if (n == 0)
        std::fputs(" (nothing)", stream_);
    std::fputc('\n', stream_);
}
