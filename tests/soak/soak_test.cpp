// A whole robot soaked in random commands, each under a random fault or
// none, through an adapter that echoes for stretches of the run. After
// every one: whatever it printed or saved is what the servos hold, a step
// that cannot have worked did not end in status 0, every clear came after
// a backup that writes the servo back, no file is left half-written, and
// the echo was noted once where there was one. ORVELIN_SOAK_SECONDS bounds
// the run (8 s unless set: it runs with the suite); ORVELIN_SOAK_SEED
// repeats one, and is printed on failure.
#include "tests/cli/cli_fixture.h"
#include "tests/soak/shown_values.h"
#include "tests/soak/soak_cases.h"

#include "link/registers.h"
#include "link/wire_format.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <regex>
#include <set>
#include <sstream>
#include <string_view>

namespace {

namespace fs = std::filesystem;
using Memory = std::vector<uint8_t>;

enum Invariant { ShownValues, FailureAsSuccess, ClearWithoutBackup, HalfWritten, NotEnded, EchoNote, kInvariants };
constexpr std::array kInvariantNames = {"a value no servo sent", "a failure that ended in status 0",
                                        "a clear without its backup", "a file half-written",
                                        "a command that did not end by itself", "an echo noted wrongly"};

constexpr std::string_view kEchoNote = "returns every byte it sends (a one-wire adapter); orvelin skips that echo and "
                                       "reads the servo's reply after it";

struct Truth {
    std::map<int, Memory> ram, flash, image;
};

uint32_t valueIn(const Memory& memory, int row)
{
    return decodeGroups(&memory[static_cast<std::size_t>(paramtbl[row].address)], paramtbl[row].size);
}

std::optional<std::string> contentsOf(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string commandLine(const Case& c)
{
    std::string command = "orvelin";
    for (const std::string& arg : c.args)
        command += " " + arg;
    return command;
}

std::string adapterName(const Adapter& adapter)
{
    if (!adapter.echo)
        return "plain";
    return "echo" + (adapter.latencyMs > 0 ? "+latency" + std::to_string(adapter.latencyMs) : "") +
           (adapter.paced ? "+paced" : "");
}

std::string faultOf(const Case& c)
{
    return "fault " + std::string(kFaultNames[static_cast<std::size_t>(c.fault)]) + " " +
           std::to_string(c.faultCount) + (c.twin ? ", two servos on ID " + hex2(c.twin) : "") + ", adapter " +
           adapterName(c.adapter);
}

unsigned long long fromEnvironment(const char* name, unsigned long long otherwise)
{
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtoull(text, nullptr, 10) : otherwise;
}

class SoakTest : public CliTest {
protected:
    std::vector<int> servoIds() const override { return kBus; }
    void SetUp() override
    {
        CliTest::SetUp();
        backups = fs::path(folder) / "state" / "orvelin" / "backups";
        fs::create_directories(pathOf("saves"));
        VirtualServo pristine(kBus);
        for (int id : kBus)
            factory[id] = pristine.memory(id);
    }

    void prepare(const Case& c);
    void inject(const Case& c);
    void settle();
    void check(const Case& c, const RunResult& r, bool vanished);
    void checkShown(const Case& c, const RunResult& r, const Reading& reading);
    void checkSuccess(const Case& c, const RunResult& r, const Reading& reading);
    void checkFiles(const Case& c, const RunResult& r);
    void checkClears(const Case& c, const RunResult& r);
    void checkEchoNote(const Case& c, const RunResult& r, bool vanished);
    void tally(const Case& c, const RunResult& r);
    void restore(const Case& c, int id, const fs::path& backup, const std::map<int, uint32_t>& values);
    void breaks(Invariant which, const Case& c, const RunResult& r, const std::string& what);

    int servosOn(int id) const { return static_cast<int>(std::ranges::count(kBus, id)) + (id == twin ? 1 : 0); }
    // The robot's servos among the IDs a scan tries.
    std::vector<int> scannedBus(const Case& c) const
    {
        const std::vector<int> tried = idsOf(c.ids == "all" ? "0-3F" : c.ids);
        std::vector<int> ids;
        std::ranges::copy_if(kBus, std::back_inserter(ids),
                             [&](int id) { return std::ranges::find(tried, id) != tried.end(); });
        return ids;
    }
    // The servos a command addresses: --with first, then those it names, or
    // those a scan finds.
    std::vector<int> targetsOf(const Case& c) const
    {
        std::vector<int> ids = c.with ? std::vector<int>{*c.with} : std::vector<int>{};
        for (int id : c.scans() ? scannedBus(c) : idsOf(c.ids))
            if (!c.scans() || servosOn(id) == 1)
                ids.push_back(id);
        return ids;
    }
    std::set<std::string> backupNames() const
    {
        std::set<std::string> names;
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(backups, error))
            names.insert(entry.path().filename().string());
        return names;
    }
    RunOptions environment() const { return RunOptions().withEnv("XDG_STATE_HOME", folder + "/state"); }

    std::mt19937_64 random;
    // Which backups are written back depends on what the commands did: its
    // draws are kept out of the cases', which a seed repeats.
    std::mt19937_64 sampling;
    unsigned long long seed = 0;
    int caseNumber = 0;
    int twin = 0;  // of the bus now
    Adapter adapter;
    fs::path backups;
    std::map<int, Memory> factory;
    Truth before, after;
    std::vector<std::vector<uint8_t>> sent;  // the packets the servos took
    std::set<std::string> backupsBefore;
    std::optional<std::string> saveBefore;

    std::map<std::string, int> operations, faults, adapters;
    // Each invariant's first breaks are told in full: many of one kind must
    // not hide another.
    std::array<int, kInvariants> broken{}, reported{};
    int clears = 0, backupsChecked = 0, restores = 0;
    // Commands with no fault, or a delay within their wait, that failed all
    // the same (a machine too busy for the servo's time-outs fails some),
    // of them on an echoing adapter; late replies within and beyond the wait.
    int cleanFailures = 0, cleanFailuresEchoing = 0, lateWithin = 0, lateWithinFailed = 0, lateBeyond = 0,
        lateBeyondFailed = 0;
};

// The bus the case asks for, each servo's settings shuffled, the case's
// files; then the truth before it.
void SoakTest::prepare(const Case& c)
{
    if (c.twin != twin) {
        std::vector<int> ids = kBus;
        if (c.twin != 0)
            ids.push_back(c.twin);
        servo.reset();
        servo = std::make_unique<VirtualServo>(ids);
        ASSERT_TRUE(servo->start());
        ASSERT_EQ(servo->linkTo(port()), "");
        twin = c.twin;
    }
    const int gain = paramtbl[rowNamed("FB_PG")].address;
    for (int id : kBus) {
        for (int k = 0; k < 3; ++k) {
            int row = static_cast<int>(random() % kParamRows);
            if (paramtbl[row].address >= paramtbl[rowNamed("PWM_PSN")].address) {
                std::vector<uint8_t> groups(static_cast<std::size_t>(paramtbl[row].size));
                encodeGroups(static_cast<uint32_t>(random()), paramtbl[row].size, groups.data());
                servo->setMemory(id, paramtbl[row].address, groups);
            }
        }
        // A backup taken after its clear would hold the factory's values: a
        // servo that never holds them tells the two apart.
        servo->setMemory(id, gain, {static_cast<uint8_t>(factory[id][gain] ^ (1 + random() % 0x7F))});
    }
    // The second servo on an ID answers with other values than the first.
    if (c.twin != 0) {
        ASSERT_TRUE(servo->control("setid " + hex2(c.twin) + "#2 " + hex2(gain) + "=" +
                                   hex2(servo->memory(c.twin)[gain] ^ 0x55)));
    }
    std::ofstream(pathOf("firmware.bin"), std::ios::binary) << c.firmware;
    std::ofstream staged(pathOf("staged.txt"), std::ios::binary);
    for (const auto& [row, value] : c.staged)
        staged << row << " " << valueText(value, row) << "\n";
    if (c.saveFile == SaveFile::Missing)
        fs::remove(pathOf("saves/arm.txt"));
    else if (c.saveFile == SaveFile::Old)
        std::ofstream(pathOf("saves/arm.txt"), std::ios::binary) << "18 0x0001\n";
    saveBefore = contentsOf(pathOf("saves/arm.txt"));
    backupsBefore = backupNames();
    for (int id : kBus) {
        before.ram[id] = servo->memory(id);
        before.flash[id] = servo->flashMemory(id);
    }
    servo->clearPackets();
}

void SoakTest::inject(const Case& c)
{
    if (c.adapter.echo) {
        ASSERT_TRUE(servo->control("echo 1"));
        ASSERT_TRUE(servo->control("latency " + std::to_string(c.adapter.latencyMs)));
        if (c.adapter.paced) {
            ASSERT_TRUE(servo->control("pace line"));
        }
    }
    const std::string n = " " + std::to_string(c.faultCount);
    const std::map<Fault, std::string> lines = {
        {Fault::Silent, "silent 1"},      {Fault::Late, "delay" + n},       {Fault::Short, "short" + n},
        {Fault::Stray, "stray" + n},      {Fault::Refuse, "refuse" + n},    {Fault::Reject, "reject" + n},
        {Fault::Ignore, "ignore" + n},    {Fault::Vanish, c.faultCount == 0 ? "vanish" : "vanish" + n}};
    if (lines.contains(c.fault)) {
        ASSERT_TRUE(servo->control(lines.at(c.fault)));
    }
}

// Faults off and the line opened again, also when it did not go: a packet
// the program gave up on may still wait on the old line, and with that
// line closed nothing it sent changes the servos once the truth is read.
void SoakTest::settle()
{
    servo->setFaults({});
    ASSERT_TRUE(servo->start());
    sent = servo->packets();
    for (int id : kBus) {
        after.ram[id] = servo->memory(id);
        after.flash[id] = servo->flashMemory(id);
        after.image[id] = servo->uploadImage(id);
    }
}

void SoakTest::breaks(Invariant which, const Case& c, const RunResult& r, const std::string& what)
{
    ++broken[which];
    if (reported[which]++ >= 5)
        return;
    ADD_FAILURE() << kInvariantNames[which] << ": " << what << "\n  " << commandLine(c) << "\n  " << faultOf(c)
                  << "; exit status " << r.status
                  << "\n--- stdout\n" << r.out << "--- stderr\n" << r.err << "--- case " << caseNumber
                  << " of the run with ORVELIN_SOAK_SEED=" << seed;
}

// Every value shown is the servo's own, or the file's.
void SoakTest::checkShown(const Case& c, const RunResult& r, const Reading& reading)
{
    if (!reading.problem.empty())
        breaks(ShownValues, c, r, "output the soak cannot read, " + reading.problem);
    for (const Shown& shown : reading.values) {
        const std::string what = std::string(paramtbl[shown.row].name) + " " + valueText(shown.value, shown.row);
        if (shown.id == kFileSide) {
            if (!c.staged.contains(shown.row) || c.staged.at(shown.row) != shown.value)
                breaks(ShownValues, c, r, "the file's column shows " + what);
        } else if (servosOn(shown.id) != 1) {
            breaks(ShownValues, c, r, "shows " + what + " for ID " + hex2(shown.id) + ", which has " +
                                          std::to_string(servosOn(shown.id)) + " servos");
        } else if (uint32_t held = valueIn(after.ram[shown.id], shown.row); held != shown.value) {
            breaks(ShownValues, c, r, "shows " + what + " for ID " + hex2(shown.id) + ", which holds " +
                                          valueText(held, shown.row));
        }
    }
}

// A status 0 is borne out by the servos.
void SoakTest::checkSuccess(const Case& c, const RunResult& r, const Reading& reading)
{
    auto fails = [&](const std::string& what) { breaks(FailureAsSuccess, c, r, "status 0, but " + what); };
    std::map<int, int> shown, expected;
    for (const Shown& value : reading.values)
        ++shown[value.id];
    const int each = c.command == Command::Table ? kParamRows
                     : c.command == Command::Watch ? c.count * static_cast<int>(c.rows.size())
                                                   : 1;
    for (int id : targetsOf(c)) {
        expected[id] = each;
        Memory staged = factory[id];
        for (const auto& [row, value] : c.staged)
            encodeGroups(value, paramtbl[row].size, &staged[static_cast<std::size_t>(paramtbl[row].address)]);
        switch (c.command) {
        case Command::Set:
            if (valueIn(after.ram[id], c.row) != c.value)
                fails("ID " + hex2(id) + " holds " + valueText(valueIn(after.ram[id], c.row), c.row));
            break;
        case Command::Clear:
        case Command::Flash:
            for (int row = 0; row < kParamRows; ++row)
                if (valueIn(after.ram[id], row) != valueIn(staged, row) ||
                    valueIn(after.flash[id], row) != valueIn(staged, row))
                    fails("ID " + hex2(id) + " holds " + paramtbl[row].name + " " +
                          valueText(valueIn(after.ram[id], row), row) + " in RAM, " +
                          valueText(valueIn(after.flash[id], row), row) + " in FLASH");
            break;
        case Command::Update:
            if (!std::string(after.image[id].begin(), after.image[id].end()).starts_with(c.firmware))
                fails("ID " + hex2(id) + " does not hold the update file");
            break;
        default: break;
        }
    }
    const bool prints = c.command == Command::Table || c.command == Command::Watch || c.command == Command::Set;
    if (prints && shown != expected)
        fails("not every value of every servo is shown");
}

// Saves and backups whole, nothing left beside them; a failed save keeps the old file.
void SoakTest::checkFiles(const Case& c, const RunResult& r)
{
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(pathOf("saves"), error))
        if (entry.path().filename() != "arm.txt")
            breaks(HalfWritten, c, r, "left " + entry.path().string());
    static const std::regex kBackupName("id[0-9A-F]{2}-\\d{8}-\\d{6}(-\\d+)?\\.txt");
    for (const std::string& name : backupNames())
        if (!std::regex_match(name, kBackupName))
            breaks(HalfWritten, c, r, "left " + (backups / name).string() + " among the backups");
    if (c.command != Command::Save)
        return;
    std::optional<std::string> saved = contentsOf(pathOf("saves/arm.txt"));
    if (r.status != 0) {
        if (saved != saveBefore)
            breaks(HalfWritten, c, r, "a failed save changed the file");
        return;
    }
    std::string problem = "no file";
    auto values = saved ? flashValueFile(*saved, problem) : std::nullopt;
    Reading reading;
    std::vector<int> rows;
    for (const auto& [row, value] : values.value_or(std::map<int, uint32_t>{})) {
        rows.push_back(row);
        reading.values.push_back({idsOf(c.ids)[0], row, value});
    }
    if (!values || rows != c.rows)
        breaks(HalfWritten, c, r, "the save is not whole: " + problem);
    checkShown(c, r, reading);
}

// A clear only after a read of the whole servo, saved whole as a backup
// that holds what the servo held, is named on stderr and flash writes back.
void SoakTest::checkClears(const Case& c, const RunResult& r)
{
    std::set<std::string> added;
    std::ranges::set_difference(backupNames(), backupsBefore, std::inserter(added, added.end()));
    std::vector<std::pair<int, fs::path>> restorable;
    for (int id = 0; id <= kHighestId; ++id) {
        const auto header = static_cast<uint8_t>(kHeaderBit | id);
        auto clear = std::ranges::find_if(sent, [&](const std::vector<uint8_t>& p) {
            return p.size() >= 6 && p[0] == header && p[1] == 2 && p[2] == 0 && p[3] == 0 &&
                   decodeGroups(&p[4], 2) == kSettingsClear.value;
        });
        std::vector<std::string> mine;
        std::ranges::copy_if(added, std::back_inserter(mine),
                             [&](const std::string& name) { return name.starts_with("id" + hex2(id) + "-"); });
        if (clear != sent.end()) {
            ++clears;
            if (mine.empty())
                breaks(ClearWithoutBackup, c, r, "ID " + hex2(id) + " was cleared without a new backup");
            for (int block = 0; block < kRegisterBytes; block += kBlockBytes)
                if (std::find_if(sent.begin(), clear, [&](const std::vector<uint8_t>& p) {
                        return p.size() >= 3 && p[0] == header && p[1] == kReadBlockKind && p[2] == block;
                    }) == clear)
                    breaks(ClearWithoutBackup, c, r, "ID " + hex2(id) + " was cleared before its block " +
                                                         hex2(block) + " was read");
        }
        for (const std::string& name : mine) {
            ++backupsChecked;
            const fs::path path = backups / name;
            std::string problem;
            auto values = flashValueFile(contentsOf(path).value_or(""), problem);
            if (!values || values->size() != static_cast<std::size_t>(kParamRows)) {
                breaks(HalfWritten, c, r, path.string() + " is not a whole backup " + problem);
                continue;
            }
            if (servosOn(id) != 1) {
                breaks(ClearWithoutBackup, c, r, "backed up ID " + hex2(id) + ", which has " +
                                                     std::to_string(servosOn(id)) + " servos");
                continue;
            }
            for (const auto& [row, value] : *values)
                if (valueIn(before.ram[id], row) != value)
                    breaks(ClearWithoutBackup, c, r, path.string() + " holds " + paramtbl[row].name + " " +
                                                         valueText(value, row) + ", the servo held " +
                                                         valueText(valueIn(before.ram[id], row), row));
            if (r.err.find("orvelin flash " + path.string() + " --id " + hex2(id)) == std::string::npos)
                breaks(ClearWithoutBackup, c, r, "stderr does not tell how to write back " + path.string());
            if (clear != sent.end())
                restorable.emplace_back(id, path);
        }
    }
    // Writing a backup back takes a whole flash: a sample of them is enough.
    if (!restorable.empty() && sampling() % 3 == 0) {
        const auto& [id, path] = restorable[sampling() % restorable.size()];
        std::string problem;
        restore(c, id, path, *flashValueFile(*contentsOf(path), problem));
    }
}

void SoakTest::restore(const Case& c, int id, const fs::path& backup, const std::map<int, uint32_t>& values)
{
    ++restores;
    RunResult listing = runOnServo({"backups"}, environment());
    if (listing.status != 0 || listing.out.find(backup.string()) == std::string::npos)
        breaks(ClearWithoutBackup, c, listing, "orvelin backups does not list " + backup.string());
    // There is no fault now: only a machine too busy for the servo's
    // time-outs fails it, and then it is tried again.
    RunResult restored;
    for (int attempt = 0; attempt < 5 && restored.status != 0; ++attempt) {
        restored = runOnServo({"flash", backup.string(), "--id", hex2(id), "--yes"}, environment());
        settle();
    }
    if (restored.status != 0)
        breaks(ClearWithoutBackup, c, restored, "orvelin flash " + backup.string() + " fails");
    for (const auto& [row, value] : values)
        if (valueIn(after.ram[id], row) != value || valueIn(after.flash[id], row) != value)
            breaks(ClearWithoutBackup, c, restored, "after orvelin flash " + backup.string() + " ID " + hex2(id) +
                                                        " holds " + paramtbl[row].name + " " +
                                                        valueText(valueIn(after.ram[id], row), row));
}

void SoakTest::check(const Case& c, const RunResult& r, bool vanished)
{
    if (r.status < 0)
        breaks(NotEnded, c, r, "killed by a signal, or still running after a minute");
    const std::optional<int> single = c.listed() ? std::nullopt : std::optional<int>(idsOf(c.ids)[0]);
    Reading reading;
    switch (c.command) {
    case Command::Table: reading = c.json ? tableJson(r.out, single) : tableText(r.out, single); break;
    case Command::Set: reading = setLines(r.out, single); break;
    case Command::Watch: reading = watchLines(r.out, single, c.csv); break;
    case Command::Diff: reading = c.json ? diffJson(r.out) : diffText(r.out); break;
    case Command::Scan: reading = scanLines(r.out); break;
    default: break;
    }
    checkShown(c, r, reading);
    checkShown(c, r, readBackComplaints(r.err));

    // A step the fault must have failed fails the command.
    // all is a scan first, which reads every ID.
    const bool reads = c.command != Command::Update || c.ids == "all";
    const bool writesFlash = c.command == Command::Clear || c.command == Command::Flash;
    const std::vector<int> named = c.scans() ? scannedBus(c) : targetsOf(c);
    const bool mustFail = c.fault == Fault::Silent || c.fault == Fault::Absent || vanished ||
                          ((c.fault == Fault::Short || c.fault == Fault::Stray) && reads) ||
                          (c.fault == Fault::Refuse && writesFlash) ||
                          ((c.fault == Fault::Reject || c.fault == Fault::Ignore) && c.faultCount >= kChunkAttempts) ||
                          (c.fault == Fault::Twins && reads && std::ranges::find(named, c.twin) != named.end());
    if (mustFail && r.status == 0)
        breaks(FailureAsSuccess, c, r, "status 0 under this fault");
    // A scan where there is no servo finds none.
    const bool findsNone = c.command == Command::Scan && named.empty();
    if (findsNone && r.status == 0)
        breaks(FailureAsSuccess, c, r, "status 0, and no servo among the IDs scanned");
    if (r.status == 0)
        checkSuccess(c, r, reading);
    if (!mustFail && !findsNone)
        tally(c, r);

    // diff's verdict is the servos' own, whatever the fault.
    if (c.command == Command::Diff && (r.status == 0 || r.status == 11)) {
        std::vector<std::map<int, uint32_t>> sides;
        if (c.withFile)
            sides.push_back(c.staged);
        for (int id : targetsOf(c)) {
            sides.emplace_back();
            for (int row = 0; row < kParamRows; ++row)
                sides.back()[row] = valueIn(after.ram[id], row);
        }
        std::set<int> differ, printed;
        for (int row : c.rows)
            for (const auto& side : sides)
                if (sides[0].contains(row) && side.at(row) != sides[0].at(row))
                    differ.insert(row);
        for (const Shown& shown : reading.values)
            printed.insert(shown.row);
        if (printed != differ || (r.status == 0) != differ.empty())
            breaks(FailureAsSuccess, c, r, std::to_string(differ.size()) + " registers differ, diff shows " +
                                               std::to_string(printed.size()));
    }
    checkEchoNote(c, r, vanished);
    checkFiles(c, r);
    // Last: writing a backup back runs another command.
    checkClears(c, r);
}

// The echo is noted once by a command that sent a packet through an
// adapter that echoes, and never otherwise. A port that vanished may take
// the echo of the last packets with it; an echo held by the adapter's timer
// for most of the wait may come after it on a machine too busy for the
// servo, and then nothing answered.
void SoakTest::checkEchoNote(const Case& c, const RunResult& r, bool vanished)
{
    const std::string note = "orvelin: note: the adapter on " + port() + " " + std::string(kEchoNote);
    int said = 0;
    for (const std::string& line : linesOf(r.err)) {
        if (line.find("one-wire") == std::string::npos)
            continue;
        ++said;
        if (line != note)
            breaks(EchoNote, c, r, "the echo noted as \"" + line + "\"");
    }
    const bool due = c.adapter.echo && !sent.empty();
    if (said > 1)
        breaks(EchoNote, c, r, "the echo noted " + std::to_string(said) + " times");
    if (said > 0 && !due)
        breaks(EchoNote, c, r, c.adapter.echo ? "the echo noted, but no packet went out" : "a plain adapter's echo");
    const bool heldPastTheWait = r.status == 8 && c.adapter.latencyMs > 0;
    if (said == 0 && due && !vanished && !heldPastTheWait)
        breaks(EchoNote, c, r, std::to_string(sent.size()) + " packets went out through an echoing adapter, unnoted");
}

// What the faults a command must take in its stride did to it, when
// nothing made it fail.
void SoakTest::tally(const Case& c, const RunResult& r)
{
    const bool failed = r.status != 0 && !(c.command == Command::Diff && r.status == 11);
    const bool within = c.fault == Fault::Late && c.faultCount <= toleratedDelayMs(c);
    if (c.fault == Fault::Late) {
        ++(within ? lateWithin : lateBeyond);
        if (failed)
            ++(within ? lateWithinFailed : lateBeyondFailed);
    }
    if (!failed || (c.fault != Fault::None && !within))
        return;
    ++cleanFailures;
    if (c.adapter.echo)
        ++cleanFailuresEchoing;
    if (cleanFailures <= 5) {
        const std::vector<std::string> err = linesOf(r.err);
        std::cout << "soak: case " << caseNumber << ", " << commandLine(c) << ", " << faultOf(c) << ": status "
                  << r.status << (err.empty() ? "" : ", " + err.back()) << std::endl;
    }
}

TEST_F(SoakTest, WholeRobotUnderRandomFaults)
{
    seed = fromEnvironment("ORVELIN_SOAK_SEED", std::random_device{}());
    const auto seconds = std::chrono::seconds(fromEnvironment("ORVELIN_SOAK_SECONDS", 8));
    random.seed(seed);
    sampling.seed(seed + 1);
    std::cout << "soak: seed " << seed << ", " << seconds.count() << " s" << std::endl;
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - start < seconds && !HasFatalFailure()) {
        ++caseNumber;
        // The adapter is the whole bus's: it stays for about eight cases.
        if (caseNumber == 1 || random() % 8 == 0)
            adapter = drawAdapter(random);
        Case c = drawCase(random, folder);
        c.adapter = adapter;
        prepare(c);
        if (!HasFatalFailure())
            inject(c);
        if (HasFatalFailure())
            break;
        ++operations[kCommandNames[static_cast<std::size_t>(c.command)]];
        ++faults[kFaultNames[static_cast<std::size_t>(c.fault)]];
        ++adapters[adapterName(c.adapter)];
        RunResult r = runOnServo(c.args, environment());
        const bool vanished = servo->faults().vanish;
        settle();
        if (!HasFatalFailure())
            check(c, r, vanished);
    }

    const auto elapsed = std::chrono::steady_clock::now() - start;
    std::ostringstream summary;
    summary << "soak: " << caseNumber << " operations in "
            << std::chrono::duration_cast<std::chrono::seconds>(elapsed).count() << " s, seed " << seed << "\n ";
    for (const auto& [name, count] : operations)
        summary << " " << name << " " << count;
    summary << "\n  faults:";
    for (const auto& [name, count] : faults)
        summary << " " << name << " " << count;
    summary << "\n  adapters:";
    for (const auto& [name, count] : adapters)
        summary << " " << name << " " << count;
    summary << "\n  late replies: " << lateWithin << " within the command's wait (" << lateWithinFailed << " failed), "
            << lateBeyond << " near its end or beyond (" << lateBeyondFailed << " failed)";
    summary << "\n  clears " << clears << ", backups checked " << backupsChecked << ", written back " << restores
            << ", operations with no fault or a delay within their wait that failed " << cleanFailures << " ("
            << cleanFailuresEchoing << " echoing)\n  invariants broken:";
    int total = 0;
    for (int which = 0; which < kInvariants; ++which) {
        summary << (which ? ", " : " ") << kInvariantNames[which] << " " << broken[which];
        total += broken[which];
    }
    std::cout << summary.str() << " (total " << total << ")" << std::endl;
    EXPECT_EQ(total, 0) << "ORVELIN_SOAK_SEED=" << seed << " repeats the run";
}

}  // namespace
