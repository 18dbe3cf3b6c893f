#include "tests/soak/soak_cases.h"

#include "link/registers.h"
#include "link/serial.h"
#include "link/wire_format.h"
#include "tests/soak/shown_values.h"

#include <algorithm>
#include <sstream>

namespace {

// Registers the soak presets, sets and stages: settings and readings, but
// not the ID, the restart or the unlock, which would move or restart a servo.
const std::vector<std::string> kSettable = {"FB_PG",   "FB_DG",   "FB_EG",   "FB_IG",   "FB_ILIM", "FB_PDB", "PWM_EN",
                                            "PWM_LIM", "PWM_PCH", "PWM_SST", "AL_TEMP", "SD_TEMP", "AL_VI",  "VIB_OTH",
                                            "BST_WA0", "BST_RA3", "M_POS",   "M_TEMP",  "M_ENC"};
const std::vector<std::string> kWatchable = {"M_POS", "M_TEMP", "M_ENC", "FB_PG", "SYS_UID", "PWM_LIM"};
const std::vector<std::string> kRegisterLists = {"FB_", "PWM_", "FB_,PWM_", "M_POS,FB_PG", "BST_", "SYS_BR,M_"};
const std::vector<std::string> kLists = {"1", "2", "3", "5", "1,2", "1-3", "2,5", "1,3,5", "1-3,5"};
const std::vector<std::string> kListsWithAbsent = {"4", "1-4", "3,4", "4,5", "1,2,4"};
// A scan's --ids besides the default 0-3F: ranges, lists, and 4 alone.
const std::vector<std::string> kScanIds = {"0-7", "1-5", "3-6", "1,2,5", "4", "2-3F", "5"};
// A scan finds a servo that answers up to this late.
constexpr int kScanToleratesMs = 20;

class Draw {
public:
    explicit Draw(std::mt19937_64& random) : random_(random) {}
    int below(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T>
    T any(const std::vector<T>& from)
    {
        return from[static_cast<std::size_t>(below(static_cast<int>(from.size())))];
    }
    uint32_t valueFor(int row) { return static_cast<uint32_t>(random_()) & groupsMax(paramtbl[row].size); }

private:
    std::mt19937_64& random_;
};

// Each command meets the faults that reach it: refusals of FLASH writes
// where it writes FLASH, of upload chunks where it uploads; a scan looks
// for the servos there are, so an ID without one is no fault to it.
void drawFault(Draw& draw, Case& c)
{
    std::vector<Fault> kinds = {Fault::Silent, Fault::Late, Fault::Short, Fault::Twins, Fault::Vanish, Fault::Absent};
    if (c.command == Command::Scan)
        kinds.pop_back();
    if (c.command == Command::Clear || c.command == Command::Flash)
        kinds.insert(kinds.end(), {Fault::Stray, Fault::Refuse, Fault::Refuse});
    else if (c.command == Command::Update)
        kinds.insert(kinds.end(), {Fault::Reject, Fault::Ignore, Fault::Reject, Fault::Ignore});
    else
        kinds.push_back(Fault::Stray);
    c.fault = draw.chance(30) ? Fault::None : draw.any(kinds);
    switch (c.fault) {
    case Fault::Short: c.faultCount = 1 + draw.below(12); break;
    // From 16 on, the noise is as long as a block.
    case Fault::Stray: c.faultCount = 1 + draw.below(24); break;
    case Fault::Refuse: c.faultCount = draw.any(std::vector<int>{1, 2, 3, -1}); break;
    case Fault::Reject:
    case Fault::Ignore: c.faultCount = 1 + draw.below(7); break;
    case Fault::Vanish: c.faultCount = draw.chance(40) ? 0 : 1 + draw.below(12); break;
    // Mostly within what a command waits for, now and then far beyond.
    case Fault::Late: c.faultCount = draw.chance(80) ? 1 + draw.below(20) : 60; break;
    default: break;
    }
}

// One servo, a list, or seldom all: a scan of 64 IDs takes seconds.
void drawIds(Draw& draw, Case& c)
{
    const bool absent = c.fault == Fault::Absent;
    if (c.command == Command::Save)
        c.ids = absent ? "4" : draw.any(std::vector<std::string>{"1", "2", "3", "5"});
    else if (c.command == Command::Scan)
        c.ids = draw.chance(50) ? "0-3F" : draw.any(kScanIds);
    else
        c.ids = draw.below(150) == 0 && !absent ? "all" : draw.any(absent ? kListsWithAbsent : kLists);
    std::vector<int> ids = c.ids == "all" ? kBus : idsOf(c.ids);
    std::erase_if(ids, [](int id) { return std::ranges::find(kBus, id) == kBus.end(); });
    if (c.command == Command::Diff) {
        c.withFile = draw.chance(40);
        if (!c.withFile && ids.size() == 1) {
            std::vector<int> others;
            std::ranges::copy_if(kBus, std::back_inserter(others), [&](int id) { return id != ids[0]; });
            c.with = absent && ids[0] != kAbsent ? kAbsent : draw.any(others);
        }
    }
    if (c.fault == Fault::Twins)
        c.twin = !ids.empty() && draw.chance(80) ? draw.any(ids) : draw.any(kBus);
}

void drawRegisters(Draw& draw, Case& c)
{
    if (!draw.chance(50)) {
        for (int row = 0; row < kParamRows; ++row)
            c.rows.push_back(row);
        return;
    }
    const std::string list = draw.any(kRegisterLists);
    c.args.insert(c.args.end(), {"--registers", list});
    for (int row = 0; row < kParamRows; ++row) {
        std::istringstream parts(list);
        for (std::string part; std::getline(parts, part, ',');)
            if (std::string_view(paramtbl[row].name).starts_with(part)) {
                c.rows.push_back(row);
                break;
            }
    }
}

void drawStaged(Draw& draw, Case& c)
{
    for (int k = 0, n = 1 + draw.below(4); k < n; ++k) {
        int row = rowNamed(draw.any(kSettable));
        c.staged[row] = draw.valueFor(row);
    }
}

}  // namespace

Case drawCase(std::mt19937_64& random, const std::string& files)
{
    Draw draw(random);
    Case c;
    constexpr std::array kWeights = {16, 14, 8, 10, 8, 12, 14, 14, 8};  // in kCommandNames' order, of 104
    for (int roll = draw.below(104), k = 0; roll >= 0; roll -= kWeights[static_cast<std::size_t>(k++)])
        c.command = static_cast<Command>(k);
    drawFault(draw, c);
    drawIds(draw, c);
    const bool keepGoing = c.listed() && draw.chance(30);
    switch (c.command) {
    case Command::Table:
        c.args = {"table"};
        if ((c.json = draw.chance(50)))
            c.args.push_back("--json");
        break;
    case Command::Set:
        c.row = rowNamed(draw.any(kSettable));
        c.value = draw.valueFor(c.row);
        c.args = {"set", paramtbl[c.row].name, valueText(c.value, c.row)};
        break;
    case Command::Clear: c.args = {"clear", "--yes"}; break;
    case Command::Flash:
        drawStaged(draw, c);
        c.args = {"flash", files + "/staged.txt", "--yes"};
        break;
    case Command::Update:
        for (int k = 0, n = 1 + draw.below(64); k < n; ++k)
            c.firmware += static_cast<char>(draw.below(0x80));
        c.args = {"update", files + "/firmware.bin"};
        break;
    case Command::Save:
        c.saveFile = static_cast<SaveFile>(draw.below(3));
        c.args = {"save", files + "/saves/arm.txt"};
        drawRegisters(draw, c);
        break;
    case Command::Diff:
        c.args = {"diff"};
        if (c.withFile) {
            drawStaged(draw, c);
            c.args.push_back(files + "/staged.txt");
        }
        if (c.with)
            c.args.insert(c.args.end(), {"--with", hex2(*c.with)});
        drawRegisters(draw, c);
        if ((c.json = draw.chance(50)))
            c.args.push_back("--json");
        break;
    case Command::Watch:
        c.args = {"watch"};
        for (int k = 0, n = 1 + draw.below(2); k < n; ++k)
            if (int row = rowNamed(draw.any(kWatchable)); std::ranges::find(c.rows, row) == c.rows.end()) {
                c.rows.push_back(row);
                c.args.push_back(paramtbl[row].name);
            }
        c.count = 1 + draw.below(4);
        c.args.insert(c.args.end(), {"--count", std::to_string(c.count), "--interval", "0"});
        if ((c.csv = draw.chance(50)))
            c.args.push_back("--csv");
        break;
    case Command::Scan:
        c.args = {"scan"};
        if (c.ids != "0-3F")
            c.args.insert(c.args.end(), {"--ids", c.ids});
        return c;
    }
    if (keepGoing && c.command != Command::Save && c.command != Command::Diff && c.command != Command::Watch)
        c.args.push_back("--keep-going");
    c.args.insert(c.args.end(), {"--id", c.ids});
    return c;
}

Adapter drawAdapter(std::mt19937_64& random)
{
    Draw draw(random);
    Adapter adapter;
    if (draw.chance(50)) {
        adapter.echo = true;
        adapter.latencyMs = draw.any(std::vector<int>{0, 0, 0, 1, 4, 16});
        adapter.paced = draw.chance(50);
    }
    return adapter;
}

int toleratedDelayMs(const Case& c)
{
    constexpr int kMarginMs = 5;
    auto waitFor = [](int replyBytes) { return kPortTimeoutMs * (replyBytes + 1) - kMarginMs; };
    int tolerated = waitFor(kBlockBytes);
    switch (c.command) {
    // The RAM write's echo of the value.
    case Command::Set: tolerated = waitFor(paramtbl[c.row].size); break;
    // The acknowledge of a FLASH write, the echo of the unlock or the restart.
    case Command::Clear:
    case Command::Flash:
    case Command::Update: tolerated = waitFor(1); break;
    case Command::Scan: tolerated = kScanToleratesMs; break;
    default: break;
    }
    return c.ids == "all" ? std::min(tolerated, kScanToleratesMs) : tolerated;
}

std::vector<int> idsOf(const std::string& text)
{
    std::vector<int> ids;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, ',');) {
        std::size_t dash = part.find('-');
        int first = std::stoi(part.substr(0, dash), nullptr, 16);
        int last = dash == std::string::npos ? first : std::stoi(part.substr(dash + 1), nullptr, 16);
        for (int id = first; id <= last; ++id)
            ids.push_back(id);
    }
    return ids;
}

std::string hex2(int value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02X", static_cast<unsigned>(value));
    return text;
}

std::string valueText(uint32_t value, int row)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", 2 * paramtbl[row].size, static_cast<unsigned>(value));
    return text;
}
