#include "bench/scan_rows.h"

#include "link/wire_format.h"
#include "tools/bus_servo.h"
#include "tools/virtual_servo.h"

#include <algorithm>
#include <chrono>
#include <compare>
#include <cstdio>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// orvelin scan's default list, 0-3F.
constexpr int kScannedIds = 64;
// The six rates of "--baud all".
const std::vector<int> kEveryRate = {14400, 19200, 38400, 57600, 115200, 230400};

struct ScanRow {
    const char* name;
    const char* baud;  // scan's --baud
    std::vector<int> rates;
    const char* bus;  // the servos, as the virtual servo's --ids gives them
    int latencyMs;
    const char* goal;
};

// One line of the listing: a servo and the rate it answered at.
struct Listed {
    int id;
    int baud;
    auto operator<=>(const Listed&) const = default;
};

struct ScanRun {
    double seconds = 0;
    int status = -1;  // orvelin's exit status; -1 it did not run or end
    std::vector<Listed> listed;
    std::vector<std::string> said;  // its other lines, for a run that went wrong
};

// The floor: each ID's 19-byte probe on the wire at each rate, 10 bits a byte.
double floorSeconds(const std::vector<int>& rates)
{
    double seconds = 0;
    for (int rate : rates)
        seconds += kScannedIds * kReadPacketBytes * 10.0 / rate;
    return seconds;
}

// Every servo at every rate it hears, in order.
std::vector<Listed> expectedListing(const std::vector<BusServo>& bus, const std::vector<int>& rates)
{
    std::vector<Listed> listing;
    for (int rate : rates)
        for (const BusServo& servo : bus)
            if (servo.baud == 0 || servo.baud == rate)
                listing.push_back({servo.id, rate});
    std::ranges::sort(listing);
    return listing;
}

ScanRun runScan(const std::string& line)
{
    ScanRun run;
    auto start = Clock::now();
    FILE* p = popen(line.c_str(), "r");
    if (p == nullptr)
        return run;
    char text[256];
    while (std::fgets(text, sizeof text, p) != nullptr) {
        unsigned id = 0;
        unsigned partNumber = 0;
        unsigned version = 0;
        int baud = 0;
        if (std::sscanf(text, "%x 0x%x 0x%x %d", &id, &partNumber, &version, &baud) == 4)
            run.listed.push_back({static_cast<int>(id), baud});
        else if (std::string(text) != "ID  SYS_PN  SYS_VER  BAUD\n")
            run.said.emplace_back(text);
    }
    int status = pclose(p);
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (status != -1 && WIFEXITED(status))
        run.status = WEXITSTATUS(status);
    // A listing in ID order at each rate: sorted, so that a servo listed
    // twice stays twice.
    std::ranges::sort(run.listed);
    return run;
}

std::string listedText(const std::vector<Listed>& servos)
{
    std::string text;
    for (const Listed& servo : servos) {
        char one[32];
        std::snprintf(one, sizeof one, " %02X@%d", servo.id, servo.baud);
        text += one;
    }
    return text;
}

// What a wrong run did, in one line: the servos it missed, those it listed
// that are not there, its exit status and what it said.
std::string wrongness(const ScanRun& run, const std::vector<Listed>& expected)
{
    std::vector<Listed> missed;
    std::vector<Listed> phantoms;
    std::ranges::set_difference(expected, run.listed, std::back_inserter(missed));
    std::ranges::set_difference(run.listed, expected, std::back_inserter(phantoms));
    std::string text;
    if (!missed.empty())
        text += " missed" + listedText(missed) + ";";
    if (!phantoms.empty())
        text += " listed phantoms" + listedText(phantoms) + ";";
    text += " exit status " + std::to_string(run.status);
    for (const std::string& said : run.said)
        text += "; said: " + said.substr(0, said.find_last_not_of('\n') + 1);
    return text;
}

}  // namespace

bool benchScan(int runs)
{
    const ScanRow rows[] = {
        {"scan", "115200", {115200}, "1,2,5,3F", 1, "0.5 s"},
        {"scan", "115200", {115200}, "1,2,5,3F", 16, "-"},
        {"scan --baud all", "all", kEveryRate, "1,2,5,3F", 1, "4 s"},
        {"scan --baud all", "all", kEveryRate, "1,2,5,3F", 16, "-"},
        {"scan --baud all", "all", kEveryRate, "1@57600,2@115200,5@19200,3F@230400", 1, "-"},
    };
    std::printf("\norvelin scan end to end, %d IDs, the line paced at its own rate, median of %d runs\n", kScannedIds,
                runs);
    std::printf("%-16s %-34s %6s %9s %9s %8s %6s %15s\n", "command", "bus", "timer", "ours", "floor", "ratio", "goal",
                "runs");
    bool allRight = true;
    for (const ScanRow& row : rows) {
        std::vector<BusServo> bus = *parseBusServos(row.bus);
        VirtualServo servo(bus);
        if (!servo.start()) {
            std::fprintf(stderr, "link_bench: cannot start the virtual servo\n");
            return false;
        }
        servo.control("pace line");
        servo.control("latency " + std::to_string(row.latencyMs));
        const std::string line =
            std::string(ORVELIN_PROGRAM) + " --port " + servo.devicePath() + " scan --baud " + row.baud + " 2>&1";
        const std::vector<Listed> expected = expectedListing(bus, row.rates);
        std::vector<double> times;
        int wrongRuns = 0;
        std::string firstWrong;
        for (int k = 0; k < runs; ++k) {
            ScanRun run = runScan(line);
            times.push_back(run.seconds);
            if (run.status != 0 || run.listed != expected) {
                if (++wrongRuns == 1)
                    firstWrong = "run " + std::to_string(k + 1) + ":" + wrongness(run, expected);
            }
        }
        servo.stop();
        char timer[16];
        std::snprintf(timer, sizeof timer, "%d ms", row.latencyMs);
        if (wrongRuns > 0) {
            allRight = false;
            std::printf("%-16s %-34s %6s  !!! WRONG LISTING in %d of %d runs, no time: %s\n", row.name, row.bus, timer,
                        wrongRuns, runs, firstWrong.c_str());
            continue;
        }
        std::ranges::sort(times);
        const double median = times[times.size() / 2];
        const double floor = floorSeconds(row.rates);
        char spread[32];
        std::snprintf(spread, sizeof spread, "%.3f-%.3f s", times.front(), times.back());
        std::printf("%-16s %-34s %6s %7.3f s %7.3f s %7.2fx %6s %15s\n", row.name, row.bus, timer, median, floor,
                    median / floor, row.goal, spread);
    }
    return allRight;
}
