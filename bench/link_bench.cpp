// How long the operator waits for each serial exchange, against what the wire
// allows. Runs the real link on a pseudo-terminal with the virtual servo,
// paced at a real baud rate and unpaced, then paced behind a USB adapter's
// latency timer, then orvelin itself and a Python script over the module end
// to end, and prints medians.
//   link_bench [--runs N] [--baseline SCRIPT] [--python PYTHON] [--only TABLE]
// TABLE: link, latency, robot or scan; the one table alone, for iterating.
#include "bench/scan_rows.h"
#include "link/registers.h"
#include "tools/reply_schedule.h"
#include "link/serial.h"
#include "link/term.h"
#include "link/wire_format.h"
#include "tools/virtual_servo.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kBaud = 115200;
constexpr double kByteSeconds = 10.0 / kBaud;
// A silent one-byte read ends after 10 + 10 ms: the read-all's final drain.
constexpr double kDrainSeconds = 0.020;
constexpr int kUploadChunks = 3072 / 16;

struct Row {
    std::string name;
    double wireLimit;  // seconds, at kBaud with the waits the protocol must make
    std::function<void()> run;
    std::string baselineName;  // matching pyserial case, if any
};

double medianSeconds(const std::function<void()>& run, int runs)
{
    std::vector<double> t;
    for (int k = 0; k < runs; ++k) {
        auto start = Clock::now();
        run();
        t.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

void termLine(const char* text)
{
    char line[1024];
    std::snprintf(line, sizeof line, "%s", text);
    term(line);
}

std::string writeImage(std::size_t bytes)
{
    auto path = std::filesystem::temp_directory_path() / ("orvelin-bench-" + std::to_string(bytes) + ".upd");
    std::ofstream out(path, std::ios::binary);
    for (std::size_t k = 0; k < bytes; ++k)
        out.put(static_cast<char>(k & 0x7F));
    return path.string();
}

// The "name seconds" lines a script prints; anything else is passed on
// under the script's label.
std::vector<std::pair<std::string, double>> readTimes(const std::string& cmd, const char* label)
{
    std::vector<std::pair<std::string, double>> out;
    FILE* p = popen(cmd.c_str(), "r");
    if (p == nullptr)
        return out;
    char name[64];
    double seconds = 0;
    char line[256];
    while (std::fgets(line, sizeof line, p) != nullptr) {
        if (std::sscanf(line, "%63s %lf", name, &seconds) == 2)
            out.emplace_back(name, seconds);
        else
            std::fprintf(stderr, "%s: %s", label, line);
    }
    pclose(p);
    return out;
}

// The pyserial script's times.
std::vector<std::pair<std::string, double>> runBaseline(const std::string& python, const std::string& script,
                                                        const std::string& port, const std::vector<std::string>& images,
                                                        int runs)
{
    std::string cmd = python + " " + script + " --port " + port + " --runs " + std::to_string(runs);
    for (const auto& image : images)
        cmd += " --image " + image;
    return readTimes(cmd + " 2>&1", "baseline");
}

// Seconds from the first reply byte leaving the servo until the last one
// reaches the host, behind a latency timer of latencyMs.
double replySeconds(std::size_t bytes, int latencyMs)
{
    const auto start = Clock::time_point{};
    auto byte = std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::duration<double>(kByteSeconds));
    auto bursts = replySchedule(bytes, byte, std::chrono::milliseconds(latencyMs), start);
    return std::chrono::duration<double>(bursts.back().at - start).count();
}

// The read-all and the 3072-byte upload at 115200 baud behind latency timers
// of 16 ms (many adapters' default) and 1 ms, next to the wire limit and to
// what the timer alone makes the least possible time.
bool benchLatency(const std::string& image, int runs)
{
    std::printf("\nPaced at 115200 baud behind an adapter's latency timer, median of %d runs\n", runs);
    std::printf("%-18s %8s %12s %12s %8s %12s\n", "exchange", "timer", "ours", "wire limit", "ratio", "timer limit");
    for (int latencyMs : {16, 1}) {
        VirtualServo servo;
        if (!servo.start())
            return false;
        servo.control("pace " + std::to_string(kBaud));
        servo.control("latency " + std::to_string(latencyMs));
        std::snprintf(comPortName, sizeof comPortName, "%s", servo.devicePath().c_str());
        baudRate = kBaud;
        struct LatencyRow {
            const char* name;
            double wireLimit;
            double timerLimit;
            std::function<void()> run;
        };
        const LatencyRow rows[] = {
            {"read-all (R)", 6 * (19 + 16) * kByteSeconds + kDrainSeconds,
             6 * (19 * kByteSeconds + replySeconds(16, latencyMs)) + kDrainSeconds, [] { termLine("R"); }},
            {"upload 3072 B", kUploadChunks * (21 + 1) * kByteSeconds,
             kUploadChunks * (21 * kByteSeconds + replySeconds(1, latencyMs)),
             [&] { termLine(("u " + image).c_str()); }},
        };
        for (const LatencyRow& row : rows) {
            double t = medianSeconds(row.run, runs);
            std::printf("%-18s %5d ms %9.2f ms %9.2f ms %7.2fx %9.2f ms\n", row.name, latencyMs, t * 1e3,
                        row.wireLimit * 1e3, t / row.wireLimit, row.timerLimit * 1e3);
        }
        servo.stop();
    }
    return true;
}

// A script's loops over the Python module (bench/python_rounds.py) on the
// servo's bus: "name seconds" per loop, the time of one read or round. None
// where the module was not built.
std::vector<std::pair<std::string, double>> runPythonRounds(const std::string& python, const std::string& port,
                                                            int runs)
{
#ifdef ORVELIN_PYTHON_ROUNDS
    std::string cmd = "PYTHONPATH=" ORVELIN_PYTHON_PACKAGE_DIR " PYTHONDONTWRITEBYTECODE=1 " + python +
                      " " ORVELIN_PYTHON_ROUNDS " --port " + port + " --runs " + std::to_string(runs) + " 2>&1";
    return readTimes(cmd, "python");
#else
    (void)python, (void)port, (void)runs;
    return {};
#endif
}

// orvelin itself over a bus of twelve servos paced at 115200 baud: rounds of
// reads on one open port, only the blocks asked for, one quiet check per
// round; then a Python script's loops over the module. Each row against what
// the wire allows.
bool benchRobot(int runs, const std::string& python)
{
    constexpr int kServos = 12;
    constexpr double kExchange = (kReadPacketBytes + kBlockBytes) * kByteSeconds;
    constexpr int kSingleSamples = 300;
    constexpr int kBusRounds = 40;
    std::printf("\nA whole robot: %d servos on one bus paced at 115200 baud, orvelin end to end, median of %d runs\n",
                kServos, runs);
    std::printf("%-30s %8s %14s %14s %8s\n", "command", "timer", "ours", "wire limit", "ratio");
    for (int latencyMs : {0, 16, 1}) {
        std::vector<int> ids;
        for (int id = 1; id <= kServos; ++id)
            ids.push_back(id);
        VirtualServo servo(ids);
        if (!servo.start())
            return false;
        servo.control("pace " + std::to_string(kBaud));
        if (latencyMs > 0)
            servo.control("latency " + std::to_string(latencyMs));
        std::string orvelin = std::string(ORVELIN_PROGRAM) + " --port " + servo.devicePath() + " --baud " +
                              std::to_string(kBaud) + " ";
        auto command = [&](const std::string& args) {
            return [line = orvelin + args + " >/dev/null 2>&1"] {
                if (std::system(line.c_str()) != 0)
                    std::fprintf(stderr, "link_bench: failed: %s\n", line.c_str());
            };
        };
        struct RobotRow {
            std::string name;
            bool rate;      // shown as samples or rounds per second
            double count;   // samples or rounds in one run
            double wireSeconds;
            std::function<void()> run;
        };
        const RobotRow rows[] = {
            {"watch M_POS, one servo", true, kSingleSamples, kExchange,
             command("watch M_POS --id 1 --interval 0 --count " + std::to_string(kSingleSamples))},
            {"watch M_POS --id 1-C", true, kBusRounds, kServos * kExchange,
             command("watch M_POS --id 1-C --interval 0 --count " + std::to_string(kBusRounds))},
            {"table --id 1-C", false, 1, kServos * kBlockCount * kExchange + kDrainSeconds,
             command("table --id 1-C")},
            {"diff --id 1-C --registers FB_,PWM_", false, 1, kServos * kBlockCount * kExchange + kDrainSeconds,
             command("diff --id 1-C --registers FB_,PWM_")},
        };
        char timer[16] = "-";
        if (latencyMs > 0)
            std::snprintf(timer, sizeof timer, "%d ms", latencyMs);
        for (const RobotRow& row : rows) {
            double t = medianSeconds(row.run, runs) / row.count;
            if (row.rate)
                std::printf("%-30s %8s %12.1f/s %12.1f/s %7.2fx\n", row.name.c_str(), timer, 1 / t,
                            1 / row.wireSeconds, t / row.wireSeconds);
            else
                std::printf("%-30s %8s %11.3f s %11.3f s %7.2fx\n", row.name.c_str(), timer, t, row.wireSeconds,
                            t / row.wireSeconds);
        }
        const std::pair<const char*, const char*> pythonRows[] = {
            {"read_one", "python read, one servo"},
            {"read_all", "python read, 1-C"},
            {"watch_one", "python watch, one servo"},
            {"watch_all", "python watch, 1-C"},
        };
        // Fewer runs: behind a 16 ms timer each takes many seconds.
        for (const auto& [name, t] : runPythonRounds(python, servo.devicePath(), std::min(runs, 3))) {
            auto row = std::ranges::find(pythonRows, name, &std::pair<const char*, const char*>::first);
            if (row == std::end(pythonRows))
                continue;
            double wire = name.ends_with("_all") ? kServos * kExchange : kExchange;
            std::printf("%-30s %8s %12.1f/s %12.1f/s %7.2fx\n", row->second, timer, 1 / t, 1 / wire, t / wire);
        }
        servo.stop();
    }
    return true;
}

// The link itself, paced at 115200 baud and unpaced, next to pyserial when
// a baseline script is given.
bool benchLink(const std::string& image3k, const std::string& image12k, const std::string& baseline,
               const std::string& python, int runs)
{
    for (int paced : {kBaud, 0}) {
        VirtualServo servo;
        if (!servo.start())
            return false;
        if (paced != 0)
            servo.control("pace " + std::to_string(paced));
        std::snprintf(comPortName, sizeof comPortName, "%s", servo.devicePath().c_str());
        baudRate = kBaud;

        std::vector<Row> rows = {
            {"open+close", 0.0,
             [] { serial_close(serial_open(comPortName, baudRate, 10)); }, ""},
            {"read-all (R)", 6 * (19 + 16) * kByteSeconds + kDrainSeconds, [] { termLine("R"); }, "read_all"},
            {"RAM write", (5 + 2) * kByteSeconds, [] { termLine("w 20 3e8"); }, ""},
            {"FLASH write x63", 0.0,
             [] {
                 char line[32];
                 for (int i = 0; paramtbl[i].name != nullptr; ++i) {
                     std::snprintf(line, sizeof line, "f %x 1", paramtbl[i].address);
                     term(line);
                 }
             },
             ""},
            {"upload 3072 B", kUploadChunks * (21 + 1) * kByteSeconds, [&] { termLine(("u " + image3k).c_str()); }, "upload_3072"},
            {"upload 12288 B", 768 * (21 + 1) * kByteSeconds, [&] { termLine(("u " + image12k).c_str()); },
             "upload_12288"},
        };
        // FLASH write: per register n + 5 bytes out and one back.
        double flashBytes = 0;
        for (int i = 0; paramtbl[i].name != nullptr; ++i)
            flashBytes += paramtbl[i].size + 5 + 1;
        rows[3].wireLimit = flashBytes * kByteSeconds;

        std::vector<std::pair<std::string, double>> base;
        if (!baseline.empty())
            base = runBaseline(python, baseline, servo.devicePath(), {image3k, image12k}, runs);

        std::printf("\n%s, median of %d runs\n", paced ? "Paced at 115200 baud" : "Unpaced (no wire time)", runs);
        std::printf("%-18s %12s %12s %8s %12s %9s\n", "exchange", "ours", "wire limit", "ratio", "pyserial",
                    "ours/py");
        for (auto& row : rows) {
            double t = medianSeconds(row.run, runs);
            char limit[32] = "-";
            char ratio[32] = "-";
            if (paced && row.wireLimit > 0) {
                std::snprintf(limit, sizeof limit, "%.2f ms", row.wireLimit * 1e3);
                std::snprintf(ratio, sizeof ratio, "%.2fx", t / row.wireLimit);
            }
            char py[32] = "-";
            char vs[32] = "-";
            for (auto& [name, seconds] : base) {
                if (name == row.baselineName) {
                    std::snprintf(py, sizeof py, "%.2f ms", seconds * 1e3);
                    std::snprintf(vs, sizeof vs, "%.2f", t / seconds);
                }
            }
            std::printf("%-18s %9.2f ms %12s %8s %12s %9s\n", row.name.c_str(), t * 1e3, limit, ratio, py, vs);
        }
        servo.stop();
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    constexpr std::string_view kTables[] = {"link", "latency", "robot", "scan"};
    int runs = 7;
    std::string baseline;
    std::string python = "python3";
    std::string_view only;
    for (int k = 1; k < argc; ++k) {
        if (std::strcmp(argv[k], "--runs") == 0 && k + 1 < argc)
            runs = std::max(1, std::atoi(argv[++k]));
        else if (std::strcmp(argv[k], "--baseline") == 0 && k + 1 < argc)
            baseline = argv[++k];
        else if (std::strcmp(argv[k], "--python") == 0 && k + 1 < argc)
            python = argv[++k];
        else if (std::strcmp(argv[k], "--only") == 0 && k + 1 < argc
                 && std::ranges::find(kTables, std::string_view(argv[k + 1])) != std::end(kTables))
            only = argv[++k];
        else {
            std::fprintf(stderr, "usage: link_bench [--runs N] [--baseline SCRIPT] [--python PYTHON] "
                                 "[--only link|latency|robot|scan]\n");
            return 2;
        }
    }
    auto wanted = [&](std::string_view table) { return only.empty() || only == table; };
    traceOut = std::fopen("/dev/null", "w");
    std::string image3k = writeImage(3072);
    std::string image12k = writeImage(12288);
    bool started = (!wanted("link") || benchLink(image3k, image12k, baseline, python, runs))
                   && (!wanted("latency") || benchLatency(image3k, runs)) && (!wanted("robot") || benchRobot(runs, python));
    std::filesystem::remove(image3k);
    std::filesystem::remove(image12k);
    if (!started) {
        std::fprintf(stderr, "link_bench: cannot start the virtual servo\n");
        return 1;
    }
    // A scan that listed the bus wrongly fails the bench, as it says in its row.
    return !wanted("scan") || benchScan(runs) ? 0 : 1;
}
