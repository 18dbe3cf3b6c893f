// orvelin watch: registers sampled again and again, one line per sample, or
// a live chart on the terminal, and the whole run as an SVG chart.
#include "cli/exit_codes.h"
#include "cli/console/interrupt.h"
#include "cli/texts/messages.h"
#include "cli/options.h"
#include "cli/port_setup.h"
#include "cli/register_args.h"
#include "link/registers.h"
#include "link/serial.h"
#include "ops/sample_columns.h"
#include "cli/servo_ids.h"
#include "cli/subcommands.h"
#include "cli/outcomes.h"
#include "orvelin/reads.h"
#include "orvelin/sampling.h"
#include "cli/charts/watch_chart.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct WatchArgs : CommonArgs {
    std::optional<std::string> interval;
    std::optional<std::string> count;
    bool csv = false;
    bool plot = false;
    std::optional<std::string> svg;
};

constexpr Option<WatchArgs> kOptions[] = {
    {"--interval", &WatchArgs::interval, {"MS", "ミリ秒"},
     {"milliseconds from one sample to the next (default 100)",
      "読み出しの間隔 (省略時 100)"}},
    {"--count", &WatchArgs::count, {"N", "回数"}, {"stop after N samples", "指定回数で終了します"}},
    {"--csv", &WatchArgs::csv, {},
     {"a header line, then the time and the values in decimal, for plotting",
      "見出し行の後に、時刻と10進数の値をカンマ区切りで出力します (グラフ用)"}},
    {.name = "--plot",
     .field = &WatchArgs::plot,
     .help = {"instead of the lines, a live chart on the terminal: one line of braille\n"
              "dots per register, the values on a common scale that follows them, time\n"
              "along the bottom, and a legend with each register's current value. It\n"
              "follows the terminal's size, works over SSH, and stays on the screen at\n"
              "the end. NO_COLOR=1 draws dashed lines instead of colours.",
              "行の代わりに端末にグラフを表示します: レジスタごとに点字の点で1本の線、\n"
              "値に合わせて変わる共通の目盛り、下に時間、各レジスタの現在値を示す凡例。\n"
              "端末の大きさに合わせ、SSH 越しでも使え、終了後も画面に残ります。\n"
              "NO_COLOR=1 のときは色の代わりに破線で区別します。"},
     .orPrevious = true},
    {"--svg", &WatchArgs::svg, {"FILE", "ファイル"},
     {"when watching ends (Ctrl-C, N samples, a sample that stops it, or the\n"
      "port going away), write the whole run to FILE as an SVG chart; FILE is\n"
      "replaced whole or not at all",
      "監視の終了時 (Ctrl-C、指定回数、サンプルの誤りで終わったとき、ポートが\n"
      "失われたとき) に、全体を SVG のグラフとしてファイルに書き込みます。\n"
      "ファイルは全体が置き換わるか、そのままです"}},
};

constexpr CommandHelp kHelp = {
    .common = kServoListOptions,
    .english = {
        .arguments = "REGISTER...",
        .intro = R"(Reads the registers again and again and prints one line per sample: the time in seconds
since the start and each value, until Ctrl-C or N samples. A sample with bytes missing
or stray bytes after it is not shown: watching stops there.
  REGISTER       a name (M_POS) or an address (0x20)
)",
        .outro = R"(For a list of IDs each sample reads every servo; the columns (and the chart's lines) are
named 01:M_POS, 02:M_POS.

Example: orvelin watch M_POS M_SPD --plot --svg motion.svg

Exit status: 0 done, 1 the port cannot be opened, 2 bad arguments, no port configured
or the chart could not be written, 8 no answer from the servo, 9 a sample with bytes
missing or extra.
)",
        .layout = {.gap = 2},
    },
    .japanese = {
        .arguments = "レジスタ...",
        .intro = R"(レジスタを繰り返し読み出し、1回ごとに1行表示します: 開始からの秒数と各値。
Ctrl-C を押すか指定回数で終わります。バイトが足りないか余分なバイトがあるサンプルは
表示せず、そこで終わります。
  レジスタ         名前 (M_POS) またはアドレス (0x20)
)",
        .outro = R"(ID のリストでは各サンプルで全サーボを読み、列名 (とグラフの線の名前) は 01:M_POS、
02:M_POS のようになります。

例: orvelin watch M_POS M_SPD --plot --svg motion.svg

終了コード: 0 完了、1 ポートが開けない、2 引数の誤りかポートが設定されていないか
グラフを書き込めない、8 サーボから応答がない、9 バイトが足りないか余分なバイトがあるサンプル
)",
        .layout = {.gap = 2, .column = 19},
    },
};

constexpr long kDefaultIntervalMs = 100;
constexpr auto kSleepSlice = std::chrono::milliseconds(20);

struct Settings {
    std::vector<int> rows;
    long intervalMs = kDefaultIntervalMs;
    unsigned long long count = 0;  // 0: until interrupted
    bool csv = false;
    bool plot = false;
    std::string svgPath;
};

std::optional<Settings> readSettings(const WatchArgs& args)
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
    if (args.interval) {
        auto value = parseDecimal(*args.interval);
        if (!value || *value > 24ULL * 3600 * 1000) {
            complain(Msg::BadInterval, args.interval->c_str());
            return std::nullopt;
        }
        settings.intervalMs = static_cast<long>(*value);
    }
    if (args.count) {
        auto value = parseDecimal(*args.count);
        if (!value || *value == 0) {
            complain(Msg::BadCount, args.count->c_str());
            return std::nullopt;
        }
        settings.count = *value;
    }
    settings.csv = args.csv;
    settings.plot = args.plot;
    if (settings.plot && settings.csv) {
        complain(Msg::PlotWithCsv);
        return std::nullopt;
    }
    settings.svgPath = args.svg.value_or("");
    return settings;
}

// A register's name as a column: M_POS, or 01:M_POS when several servos are watched.
std::string seriesName(const ServoIds& servos, int id, int row)
{
    return ::seriesName(id, row, servos.listed);
}

void printSample(const Settings& settings, const ServoIds& servos, double seconds, const std::vector<orvelin::ServoImage>& samples)
{
    std::string line;
    char field[64];
    std::snprintf(field, sizeof field, settings.csv ? "%.3f" : "%9.3f", seconds);
    line = field;
    for (std::size_t k = 0; k < samples.size(); ++k) {
        for (int row : settings.rows) {
            uint32_t value = samples[k].value(row);
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

// The chart's lines, named as the columns are, in the order of the values.
std::vector<ChartSeries> chartSeries(const Settings& settings, const ServoIds& servos)
{
    std::vector<ChartSeries> series;
    for (int id : servos.ids)
        for (int row : settings.rows)
            series.push_back({seriesName(servos, id, row), paramtbl[row].size, {}});
    return series;
}

std::vector<std::optional<uint32_t>> valuesIn(const Settings& settings, const std::vector<orvelin::ServoImage>& samples)
{
    std::vector<std::optional<uint32_t>> values;
    for (const orvelin::ServoImage& sample : samples)
        for (int row : settings.rows)
            values.push_back(sample.value(row));
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

int runWatch(const WatchArgs& args)
{
    auto settings = readSettings(args);
    if (!settings)
        return usageFailure("watch");
    if (!chartSettingsUsable(settings->plot, settings->svgPath))
        return kExitUsage;
    // One port for the whole watch; only its opening waits for a port that
    // another command holds a moment.
    catchInterrupt();
    int found = kExitOk;
    auto session = openServos(args, found, BusyPort::Wait);
    if (!session)
        return found;
    orvelin::Bus& bus = *session->bus;
    const ServoIds* servos = &session->servos;

    const orvelin::BlockSet blocks = orvelin::BlockSet::forRows(settings->rows);
    if (settings->csv) {
        std::printf("%s", kTimeColumn.data());
        for (int id : servos->ids)
            for (int row : settings->rows)
                std::printf(",%s", seriesName(*servos, id, row).c_str());
        std::printf("\n");
    }

    std::optional<WatchChart> chart;
    if (settings->plot || !settings->svgPath.empty())
        chart.emplace(WatchChartSettings{chartSeries(*settings, *servos),
                                         format(Msg::ChartTitle, bus.port().c_str(), idsText(*servos).c_str(),
                                                settings->intervalMs),
                                         settings->plot, settings->svgPath});

    const Clock::time_point start = Clock::now();
    const auto interval = std::chrono::milliseconds(settings->intervalMs);
    Clock::time_point due = start;
    // A round is shown once the line has shown that nothing followed it;
    // a round that fails ends the watch, and those still held are not shown.
    orvelin::Sampler sampler(bus, servos->ids, blocks);
    auto show = [&](const std::vector<orvelin::Sampler::Round>& rounds) {
        if (sampler.failure())
            for (const Outcome& outcome : sampler.failure()->outcomes)
                if (int status = reportOutcome(outcome, bus); status != kExitOk)
                    return status;
        for (const orvelin::Sampler::Round& round : rounds) {
            // Stamped when the replies were in: a sample held up on its way
            // (a busy machine) keeps its true time.
            const double seconds = std::chrono::duration<double>(round.readAt - start).count();
            if (chart)
                chart->add(seconds, valuesIn(*settings, round.images));
            if (!settings->plot)
                printSample(*settings, *servos, seconds, round.images);
        }
        return kExitOk;
    };
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
        if (int status = show(sampler.sample()); status != kExitOk)
            return status;
    }
    if (int status = show(sampler.finish()); status != kExitOk)
        return status;
    if (chart && !chart->finish())
        return kExitUsage;
    return kExitOk;
}

}  // namespace

const Subcommand watchCommand = subcommand<WatchArgs, kOptions, runWatch>("watch", kHelp);
