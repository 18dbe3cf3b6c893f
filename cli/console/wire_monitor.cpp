#include "cli/console/wire_monitor.h"

#include "cli/console/port_notes.h"
#include "cli/texts/messages.h"
#include "link/serial.h"
#include "link/trace.h"

#include <chrono>

#ifdef _WIN32
#include <io.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

FILE* logStream = nullptr;
bool logBesideTrace = false;
bool portReported = false;
std::string portName;
const auto startTime = std::chrono::steady_clock::now();

// Whether two streams end up in one place (one terminal, one file), where a
// log line written while a trace line is open would land inside it.
bool sameDestination(FILE* a, FILE* b)
{
#ifdef _WIN32
    return _isatty(_fileno(a)) && _isatty(_fileno(b));
#else
    struct stat sa {};
    struct stat sb {};
    return fstat(fileno(a), &sa) == 0 && fstat(fileno(b), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
#endif
}

// The trace written so far goes first, so a shared terminal or file shows
// each log line after the trace that announced it, on a line of its own.
void beginLogLine()
{
    std::fflush(stdout);
    std::fflush(traceOut);
    if (logBesideTrace && traceOut == stdout && !traceAtLineStart()) {
        std::fputc('\n', logStream);
        traceLineEnded();
    }
}

// Once a run, on a line of its own: whether the port passes replies on at
// once or they wait for the adapter's latency timer.
void observeOpen(serial_handle h)
{
    if (logStream == nullptr || portReported)
        return;
    portReported = true;
    beginLogLine();
    std::string note = format(Msg::WireLowLatency, portName.c_str(), lowLatencyNote(serial_low_latency(h)));
    auto elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - startTime);
    std::fprintf(logStream, "%10.3f ms %s\n", elapsed.count(), note.c_str());
    std::fflush(logStream);
}

// One line per write and per read: milliseconds since start, direction,
// the bytes, or "(nothing)" for a read that timed out empty.
void observe(WireDirection direction, const unsigned char* data, int n)
{
    if (logStream == nullptr)
        return;
    beginLogLine();
    auto elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - startTime);
    std::fprintf(logStream, "%10.3f ms %s", elapsed.count(), direction == WireDirection::Sent ? "->" : "<-");
    for (int k = 0; k < n; ++k)
        std::fprintf(logStream, " %02X", data[k]);
    if (n == 0)
        std::fputs(" (nothing)", logStream);
    std::fputc('\n', logStream);
    std::fflush(logStream);
}

}  // namespace

void tellWireTapPort(const std::string& port)
{
    portName = port;
}

void installWireTap(FILE* log)
{
    if (log == nullptr)
        return;
    logStream = log;
    logBesideTrace = log != nullptr && sameDestination(log, stdout);
    set_wire_observer(observe);
    set_open_observer(observeOpen);
}
