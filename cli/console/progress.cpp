#include "cli/console/progress.h"

#include "cli/console/interrupt.h"
#include "cli/texts/messages.h"
#include "link/wire_format.h"

#include <chrono>
#include <string>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kBarWidth = 24;
constexpr auto kRedrawEvery = std::chrono::milliseconds(100);

struct Bar {
    FILE* out = nullptr;
    long total = 0;
    long sent = 0;
    Clock::time_point start;
    Clock::time_point lastDraw;
};
Bar bar;

long chunksOf(long bytes)
{
    return (bytes + kChunkBytes - 1) / kChunkBytes;
}

std::string rateText(double bytesPerSecond)
{
    char text[32];
    if (bytesPerSecond >= 1000.0)
        std::snprintf(text, sizeof text, "%.1f kB/s", bytesPerSecond / 1000.0);
    else
        std::snprintf(text, sizeof text, "%.0f B/s", bytesPerSecond);
    return text;
}

std::string durationText(double seconds)
{
    char text[32];
    long whole = static_cast<long>(seconds + 0.5);
    std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}

void draw()
{
    double elapsed = std::chrono::duration<double>(Clock::now() - bar.start).count();
    double rate = elapsed > 0.0 ? static_cast<double>(bar.sent) / elapsed : 0.0;
    int filled = bar.total > 0 ? static_cast<int>(kBarWidth * bar.sent / bar.total) : kBarWidth;
    std::string gauge(static_cast<std::size_t>(filled), '#');
    gauge.append(static_cast<std::size_t>(kBarWidth - filled), '-');
    std::string left = rate > 0.0 ? durationText(static_cast<double>(bar.total - bar.sent) / rate) : "-:--";
    std::fprintf(bar.out, "\r[%s] %s  %ld/%ld B  %s  %s   ", gauge.c_str(),
                 format(Msg::ProgressChunks, chunksOf(bar.sent), chunksOf(bar.total)).c_str(), bar.sent, bar.total,
                 rateText(rate).c_str(), format(Msg::ProgressLeft, left.c_str()).c_str());
    std::fflush(bar.out);
    bar.lastDraw = Clock::now();
}


}  // namespace

bool isTerminal(FILE* stream)
{
#ifdef _WIN32
    return _isatty(_fileno(stream)) != 0;
#else
    return isatty(fileno(stream)) != 0;
#endif
}

void startProgress(FILE* out, long totalBytes)
{
    bar = Bar{out, totalBytes, 0, Clock::now(), Clock::now()};
    if (out != nullptr)
        draw();
}

void finishProgress()
{
    if (bar.out == nullptr)
        return;
    std::fputc('\n', bar.out);
    std::fflush(bar.out);
}

long progressBytes()
{
    return bar.sent;
}

bool progressChunk(long bytesSent, long bytesTotal)
{
    bar.sent = bytesSent;
    bar.total = bytesTotal;
    if (bar.out != nullptr && (bytesSent == bytesTotal || Clock::now() - bar.lastDraw >= kRedrawEvery))
        draw();
    return !interrupted();
}

