// The soak's cases: one orvelin command on the robot's servos, drawn at
// random with the fault it meets, and what the soak needs to judge it.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

enum class Command { Table, Set, Clear, Flash, Update, Save, Diff, Watch, Scan };
inline constexpr std::array kCommandNames = {"table", "set", "clear", "flash", "update",
                                             "save",  "diff", "watch", "scan"};

enum class Fault { None, Silent, Late, Short, Stray, Refuse, Reject, Ignore, Twins, Vanish, Absent };
inline constexpr std::array kFaultNames = {"none",   "silent", "late",  "short",  "stray", "refuse",
                                           "reject", "ignore", "twins", "vanish", "absent"};

// The robot: four servos, and none on ID 04.
inline const std::vector<int> kBus = {1, 2, 3, 5};
inline constexpr int kAbsent = 4;

// The adapter the whole bus hangs on, kept for a stretch of cases. One
// that echoes returns every byte it sends, paced at the line's rate or
// not; its latency timer holds echoes and replies alike.
struct Adapter {
    bool echo = false;
    int latencyMs = 0;
    bool paced = false;
};

// A plain adapter or, as often, one that echoes.
Adapter drawAdapter(std::mt19937_64& random);

// What save finds where it is to write: the last save, nothing, or an old file.
enum class SaveFile { Kept, Missing, Old };

struct Case {
    Command command = Command::Table;
    Fault fault = Fault::None;
    int faultCount = 0;  // N of short, stray, refuse, reject, ignore; vanish after N packets, 0 at once;
                         // late: the reply delay in ms
    int twin = 0;        // the ID with a second servo, 0 for none
    Adapter adapter;     // the bus's while the command runs
    std::string ids;     // --id; scan's --ids, 0-3F when it has none
    std::optional<int> with;         // diff --with
    std::vector<std::string> args;   // orvelin's arguments but --port
    int row = -1;                    // set
    uint32_t value = 0;
    std::vector<int> rows;           // watch's registers; save's and diff's --registers, else every row
    int count = 0;                   // watch --count
    bool json = false;
    bool csv = false;
    bool withFile = false;           // diff FILE
    std::map<int, uint32_t> staged;  // the FLASH value file of flash and diff
    std::string firmware;            // the update file
    SaveFile saveFile = SaveFile::Kept;

    // For a list of IDs the output names each servo.
    bool listed() const { return ids == "all" || ids.find_first_of(",-") != std::string::npos; }
    // Which servos answer is found by a scan: the command's own, or --id all's.
    bool scans() const { return command == Command::Scan || ids == "all"; }
};

// files: the folder of staged.txt, firmware.bin and saves/arm.txt.
Case drawCase(std::mt19937_64& random, const std::string& files);

// The longest reply delay the case's command must take as it takes a prompt
// reply: the shortest wait of its exchanges (10 ms a reply byte and 10 ms
// more: 20 ms for an acknowledge, 170 ms for a block) less a margin for
// when each end reads its clock; a scan finds a servo up to 20 ms late.
int toleratedDelayMs(const Case& c);

// 1-3,5 as 1 2 3 5.
std::vector<int> idsOf(const std::string& text);
std::string hex2(int value);
// As orvelin writes a register's value: 0x and two hex digits a byte.
std::string valueText(uint32_t value, int row);
