#include "cli/charts/watch_chart.h"

#include "settings/file_replace.h"
#include "cli/texts/messages.h"
#include "cli/charts/svg_chart.h"
#include "cli/charts/terminal_chart.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

constexpr TerminalSize kFallbackSize{80, 24};
// Plain ANSI, which terminals, terminal multiplexers and SSH sessions all pass on.
constexpr const char* kHideCursor = "\x1b[?25l";
constexpr const char* kShowCursor = "\x1b[?25h";
constexpr const char* kHome = "\x1b[H";
constexpr const char* kClearScreen = "\x1b[2J";
constexpr const char* kClearLine = "\x1b[K";
constexpr const char* kClearBelow = "\x1b[J";

WatchChart* active = nullptr;

void finishAtExit()
{
    if (active != nullptr)
        active->finish();
}

// https://no-color.org: a set, non-empty NO_COLOR asks for no colour.
bool colourWanted()
{
    const char* value = std::getenv("NO_COLOR");
    return value == nullptr || *value == '\0';
}

bool sameSize(const std::optional<TerminalSize>& a, const TerminalSize& b)
{
    return a && a->columns == b.columns && a->rows == b.rows;
}

}  // namespace

bool chartSettingsUsable(bool plot, const std::string& svgPath)
{
    if (plot && (!stdoutIsTerminal() || !enableTerminalSequences())) {
        complain(Msg::PlotNeedsTerminal);
        return false;
    }
    if (svgPath.empty())
        return true;
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path folder = fs::path(svgPath).parent_path();
    if (folder.empty())
        folder = ".";
    if (!fs::is_directory(folder, error)) {
        complain(Msg::SvgFolderMissing, svgPath.c_str(), folder.string().c_str());
        return false;
    }
    if (fs::is_directory(svgPath, error)) {
        complain(Msg::SvgWriteFailed, svgPath.c_str());
        return false;
    }
    return true;
}

WatchChart::WatchChart(WatchChartSettings settings) : settings_(std::move(settings)), colour_(colourWanted())
{
    data_.series = settings_.series;
    static const bool registered = std::atexit(finishAtExit) == 0;
    (void)registered;
    active = this;
}

WatchChart::~WatchChart()
{
    finish();
    if (active == this)
        active = nullptr;
}

void WatchChart::add(double seconds, const std::vector<std::optional<uint32_t>>& values)
{
    data_.times.push_back(seconds);
    for (std::size_t k = 0; k < data_.series.size(); ++k)
        data_.series[k].values.push_back(k < values.size() ? values[k] : std::nullopt);
    if (settings_.plot)
        draw();
}

void WatchChart::idle()
{
    if (settings_.plot && drawn_ && !finished_ && !sameSize(drawnSize_, stdoutTerminalSize().value_or(kFallbackSize)))
        draw();
}

std::string WatchChart::titleLine() const
{
    double seconds = data_.times.empty() ? 0 : data_.times.back();
    return settings_.title + "  "
         + format(Msg::ChartSamples, static_cast<unsigned long>(data_.times.size()), seconds);
}

void WatchChart::draw()
{
    TerminalSize size = stdoutTerminalSize().value_or(kFallbackSize);
    std::string frame;
    if (!drawn_)
        frame += kHideCursor;
    // A new size reflows what is on the screen: start from a clean one.
    if (!sameSize(drawnSize_, size))
        frame += kClearScreen;
    frame += kHome;
    std::vector<std::string> lines = terminalChart(data_, titleLine(), size, colour_);
    // The cursor waits on the free row below the frame, where a message
    // (a port that cannot be opened) lands on a line of its own.
    for (const std::string& line : lines) {
        frame += line;
        frame += kClearLine;
        frame += "\r\n";
    }
    frame += kClearBelow;
    std::fwrite(frame.data(), 1, frame.size(), stdout);
    std::fflush(stdout);
    drawn_ = true;
    drawnSize_ = size;
}

bool WatchChart::finish()
{
    if (finished_)
        return true;
    finished_ = true;
    if (drawn_) {
        std::fputs(kShowCursor, stdout);
        std::fflush(stdout);
    }
    if (settings_.svgPath.empty())
        return true;
    if (data_.times.empty()) {
        complain(Msg::SvgNoSamples, settings_.svgPath.c_str());
        return true;
    }
    if (!replaceFileContents(settings_.svgPath.c_str(), svgChart(data_, titleLine()))) {
        complain(Msg::SvgWriteFailed, settings_.svgPath.c_str());
        return false;
    }
    complain(Msg::SvgWritten, static_cast<unsigned long>(data_.times.size()), settings_.svgPath.c_str());
    return true;
}
