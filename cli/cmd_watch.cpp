// orvelin watch: registers sampled again and again, one line per sample, or
// a live chart on the terminal, and the whole run as an SVG chart.
#include "exit_codes.h"
#include "interrupt.h"
#include "messages.h"
#include "options.h"
#include "port_setup.h"
#include "register_args.h"
#include "registers.h"
#include "serial.h"
#include "servo_ids.h"
#include "subcommands.h"
#include "term.h"
#include "watch_chart.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr OptionDef kOptions[] = {
    {"--interval", true}, {"--count", true}, {"--csv", false}, {"--plot", false}, {"--svg", true},
};
constexpr long kDefaultIntervalMs = 100;
constexpr auto kSleepSlice = std::chrono::milliseconds(20);
constexpr auto kPortWait = std::chrono::milliseconds(500);
constexpr auto kPortRetry = std::chrono::milliseconds(5);

struct Settings {
    std::vector<int> rows;
    long intervalMs = kDefaultIntervalMs;
    unsigned long long count = 0;  // 0: until interrupted
    bool csv = false;
    bool plot = false;
    std::string svgPath;
};

// The register memory as one sample saw it: which bytes came, and their values.
struct Sample {
    std::array<unsigned char, 0x60> bytes{};
    int missing = 0;  // bytes of the blocks read that did not come
    int stray = 0;    // bytes that followed the last reply
};

std::optional<Settings> readSettings(const ParsedArgs& args)
{
    Settings settings;
    if (args.positional.empty()) {
        complain(Msg::NeedRegister);
        return std::nullopt;
    }
    for (const std::string& name : args.positional) {
        auto row = registerFromText(name);
        if (!row)
            return std::nullopt;
        settings.rows.push_back(*row);
    }
    if (const std::string* text = args.value("--interval")) {
        auto value = parseDecimal(*text);
        if (!value || *value > 24ULL * 3600 * 1000) {
            complain(Msg::BadInterval, text->c_str());
            return std::nullopt;
        }
        settings.intervalMs = static_cast<long>(*value);
    }
    if (const std::string* text = args.value("--count")) {
        auto value = parseDecimal(*text);
        if (!value || *value == 0) {
            complain(Msg::BadCount, text->c_str());
            return std::nullopt;
        }
        settings.count = *value;
    }
    settings.csv = args.has("--csv");
    settings.plot = args.has("--plot");
    if (settings.plot && settings.csv) {
        complain(Msg::PlotWithCsv);
        return std::nullopt;
    }
    if (const std::string* path = args.value("--svg"))
        settings.svgPath = *path;
    return settings;
}

// Another command (orvelin set from another terminal) may hold the port the
// moment a sample is due: the sample waits for it a little rather than end
// the watch. Any other refusal, or a port still held after the wait, ends
// the watch as it ends every command.
serial_handle openForSample()
{
    const auto until = Clock::now() + kPortWait;
    for (;;) {
        serial_handle h = serial_open(comPortName, baudRate, kPortTimeoutMs);
        if (h != SERIAL_INVALID)
            return h;
        if (serial_last_error().failure != SerialFailure::Busy || Clock::now() >= until || interrupted())
            return openPortInForce();
        std::this_thread::sleep_for(kPortRetry);
    }
}

// One port opening per sample, as every command of the link does, so other
// commands (orvelin set from another terminal) can get in between samples.
Sample takeSample(const std::set<int>& blocks)
{
    Sample sample;
    serial_handle h = openForSample();
    for (int block : blocks) {
        int address = block * kBlockBytes;
        int got = readBlock(h, SendID, address, &sample.bytes[static_cast<std::size_t>(address)]);
        sample.missing += kBlockBytes - got;
    }
    // A byte after the replies would shift the next sample's blocks.
    unsigned char extra = 0;
    sample.stray = serial_read(h, &extra, 1);
    serial_close(h);
    return sample;
}

uint32_t valueIn(const Sample& sample, int row)
{
    const ParamDef& def = paramtbl[row];
    return decodeGroups(&sample.bytes[static_cast<std::size_t>(def.address)], def.size);
}

// A register's name as a column: M_POS, or 01:M_POS when several servos are watched.
std::string seriesName(const ServoIds& servos, int id, int row)
{
    if (!servos.listed)
        return paramtbl[row].name;
    char name[16];
    std::snprintf(name, sizeof name, "%02X:%s", static_cast<unsigned>(id), paramtbl[row].name);
    return name;
}

void printSample(const Settings& settings, const ServoIds& servos, double seconds, const std::vector<Sample>& samples)
{
    std::string line;
    char field[64];
    std::snprintf(field, sizeof field, settings.csv ? "%.3f" : "%9.3f", seconds);
    line = field;
    for (std::size_t k = 0; k < samples.size(); ++k) {
        for (int row : settings.rows) {
            uint32_t value = valueIn(samples[k], row);
            if (settings.csv) {
                line += ',';
                line += std::to_string(value);
            } else {
                line += "  ";
                line += seriesName(servos, servos.ids[k], row);
                line += '=';
                line += valueText(value, row);
            }
        }
    }
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

// A sample with bytes missing or extra is not shown: watching stops there.
int judgeSample(const Sample& sample, std::size_t blocks)
{
    int expected = static_cast<int>(blocks) * kBlockBytes;
    if (sample.missing == 0 && sample.stray == 0)
        return kExitOk;
    std::fflush(stdout);
    if (sample.missing == expected) {
        complain(Msg::NoReply, SendID, portDisplayName().c_str(), baudRate);
        return kExitNoReply;
    }
    if (sample.missing > 0)
        complain(Msg::ShortSample, expected - sample.missing, expected, SendID);
    else
        complain(Msg::StrayReply, sample.stray, SendID);
    return kExitBadReply;
}

// The chart's lines, named as the columns are, in the order of the values.
std::vector<ChartSeries> chartSeries(const Settings& settings, const ServoIds& servos)
{
    std::vector<ChartSeries> series;
    for (int id : servos.ids)
        for (int row : settings.rows)
            series.push_back({seriesName(servos, id, row), paramtbl[row].size, {}});
    return series;
}

std::vector<std::optional<uint32_t>> valuesIn(const Settings& settings, const std::vector<Sample>& samples)
{
    std::vector<std::optional<uint32_t>> values;
    for (const Sample& sample : samples)
        for (int row : settings.rows)
            values.push_back(valueIn(sample, row));
    return values;
}

// "3F", or "01,02,05" for a list.
std::string idsText(const ServoIds& servos)
{
    std::string text;
    for (int id : servos.ids) {
        char hex[8];
        std::snprintf(hex, sizeof hex, text.empty() ? "%02X" : ",%02X", static_cast<unsigned>(id));
        text += hex;
    }
    return text;
}

void sleepUntil(Clock::time_point when, WatchChart* chart)
{
    while (!interrupted() && Clock::now() < when) {
        if (chart != nullptr)
            chart->idle();
        std::this_thread::sleep_for(std::min<Clock::duration>(kSleepSlice, when - Clock::now()));
    }
}

int runWatch(const ParsedArgs& args)
{
    auto settings = readSettings(args);
    if (!settings)
        return usageFailure("watch");
    if (!chartSettingsUsable(settings->plot, settings->svgPath))
        return kExitUsage;
    int found = kExitOk;
    auto servos = prepareServos(args, found);
    if (!servos)
        return found;

    std::set<int> blocks;
    for (int row : settings->rows)
        for (int k = 0; k < paramtbl[row].size; ++k)
            blocks.insert((paramtbl[row].address + k) / kBlockBytes);
    if (settings->csv) {
        std::printf("time_s");
        for (int id : servos->ids)
            for (int row : settings->rows)
                std::printf(",%s", seriesName(*servos, id, row).c_str());
        std::printf("\n");
    }

    std::optional<WatchChart> chart;
    if (settings->plot || !settings->svgPath.empty())
        chart.emplace(WatchChartSettings{chartSeries(*settings, *servos),
                                         format(Msg::ChartTitle, portDisplayName().c_str(), idsText(*servos).c_str(),
                                                settings->intervalMs),
                                         settings->plot, settings->svgPath});

    catchInterrupt();
    const Clock::time_point start = Clock::now();
    const auto interval = std::chrono::milliseconds(settings->intervalMs);
    Clock::time_point due = start;
    for (unsigned long long n = 0; settings->count == 0 || n < settings->count; ++n) {
        if (interrupted())
            break;
        sleepUntil(due, chart ? &*chart : nullptr);
        // The samples keep to their grid of intervals: after one that came
        // late, the next waits for its slot rather than crowd in after it.
        due += interval;
        while (interval.count() > 0 && due <= Clock::now())
            due += interval;
        if (interrupted())
            break;
        std::vector<Sample> samples;
        for (int id : servos->ids) {
            SendID = id;
            samples.push_back(takeSample(blocks));
            if (int status = judgeSample(samples.back(), blocks.size()); status != kExitOk)
                return status;
        }
        // Stamped when the replies are in: a sample held up on its way (a busy
        // machine, a port another command holds a moment) keeps its true time.
        double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        if (chart)
            chart->add(seconds, valuesIn(*settings, samples));
        if (!settings->plot)
            printSample(*settings, *servos, seconds, samples);
    }
    if (chart && !chart->finish())
        return kExitUsage;
    return kExitOk;
}

}  // namespace

const Subcommand watchCommand = {"watch", kOptions, runWatch};
