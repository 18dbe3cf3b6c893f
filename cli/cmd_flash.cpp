// orvelin flash: the window's FLASH write, its staged values taken from a
// FLASH value file, then each value read back after the restart.
#include "exit_codes.h"
#include "flash_cells.h"
#include "messages.h"
#include "port_setup.h"
#include "progress.h"
#include "register_args.h"
#include "registers.h"
#include "restart_prompt.h"
#include "run_line.h"
#include "servo_clear.h"
#include "servo_ids.h"
#include "servo_operations.h"
#include "servo_reads.h"
#include "staged_values.h"
#include "subcommands.h"
#include "term.h"
#include "wire_monitor.h"

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

constexpr OptionDef kOptions[] = {
    {"--dry-run", false}, {"--yes", false}, {"--keep-going", false}, {"--allow-id-change", false}};
constexpr int kSysSidRow = 3;
// A restarted servo answers again within this.
constexpr auto kRestartWait = std::chrono::seconds(2);
constexpr auto kRetryEvery = std::chrono::milliseconds(100);
constexpr unsigned char kRefused = 0x40;

void printLines(const std::vector<std::string>& valueLines)
{
    std::printf("%s\n%s\n", kSettingsClearLine.data(), kRestartLine.data());
    for (const std::string& line : valueLines)
        std::printf("%s\n", line.c_str());
    std::printf("%s\n", kRestartLine.data());
}

// Each value's FLASH write must be answered, and accepted.
int writeValues(const FlashColumn& staged)
{
    for (int row = 0; row < FlashColumn::kRows; ++row) {
        const std::string& cell = staged.cell(row);
        if (cell.empty())
            continue;
        markReads();
        runLine(*flashWriteLine(row, cell));
        std::vector<unsigned char> reply = replySinceMark();
        if (reply.empty()) {
            complain(Msg::NoEcho, SendID, paramtbl[row].name);
            return kExitNoReply;
        }
        if (reply[0] & kRefused) {
            complain(Msg::FlashRefused, paramtbl[row].name, reply[0]);
            return kExitNotWritten;
        }
    }
    return kExitOk;
}

// After the restart the servo runs on its FLASH values: RAM shows them.
int verifyValues(const FlashColumn& staged)
{
    auto deadline = std::chrono::steady_clock::now() + kRestartWait;
    RegisterRead read = readRegisters();
    while (!read.whole() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(kRetryEvery);
        read = readRegisters();
    }
    if (int status = judgeRead(read); status != kExitOk)
        return status;
    int status = kExitOk;
    for (int row = 0; row < FlashColumn::kRows; ++row) {
        const std::string& cell = staged.cell(row);
        if (cell.empty() || paramValue(row) == stagedValue(cell))
            continue;
        complain(Msg::ReadBackDiffers, paramtbl[row].name, valueText(stagedValue(cell), row).c_str(),
                 valueText(paramValue(row), row).c_str());
        status = kExitNotWritten;
    }
    return status;
}

// A file saved from one servo carries its ID in SYS_SID: written to another
// servo it would give that one the same ID, and the bus two servos that
// answer as one.
bool changesAnId(const FlashColumn& staged, const ServoIds& servos)
{
    const std::string& cell = staged.cell(kSysSidRow);
    if (cell.empty())
        return false;
    for (int id : servos.ids) {
        if (stagedValue(cell) != static_cast<uint32_t>(id)) {
            complain(Msg::FlashChangesId, stagedValue(cell), id);
            return true;
        }
    }
    return false;
}

// One servo, cleared and restarted: its values, its restart, its read back.
int writeServo(const FlashColumn& staged)
{
    if (int status = writeValues(staged); status != kExitOk)
        return status;
    sendRestartRequest(term);
    FILE* trace = traceOut;
    traceOut = discardStream();
    int status = verifyValues(staged);
    traceOut = trace;
    return status;
}

int runFlash(const ParsedArgs& args)
{
    if (!expectPositional(args, "flash", 1, 1, "FILE"))
        return kExitUsage;
    auto staged = loadStagedValues(args.positional[0]);
    if (!staged)
        return kExitUsage;
    if (args.has("--dry-run")) {
        printLines(stagedValueLines(*staged));
        return kExitOk;
    }
    // Nothing is cleared unless the operator can be asked for the restart.
    if (!args.has("--yes") && !isTerminal(stdin)) {
        complain(Msg::FlashNeedsTerminal);
        return kExitUsage;
    }
    int status = kExitOk;
    auto servos = prepareServos(args, status);
    if (!servos)
        return status;
    if (!args.has("--allow-id-change") && changesAnId(*staged, *servos))
        return kExitUsage;
    bool keepGoing = args.has("--keep-going");
    ServoIds answering;
    int silent = servosAnswering(*servos, keepGoing, answering);
    if (silent != kExitOk && (!keepGoing || answering.ids.empty()))
        return silent;

    // The values go in only after the operator has restarted the cleared servos.
    ClearRun cleared = clearServos(answering, keepGoing, args.has("--yes"));
    if (cleared.cleared.empty() || (cleared.status != kExitOk && !keepGoing))
        return cleared.status;
    if (cleared.restart == RestartOutcome::Unconfirmed) {
        complain(Msg::NotConfirmed);
        return kExitUsage;
    }
    status =
        forEachServo(ServoIds{cleared.cleared, servos->listed}, keepGoing, [&](int) { return writeServo(*staged); });
    if (status == kExitOk)
        announce(Msg::FlashDoneTitle, Msg::FlashDone);
    for (int first : {silent, cleared.status, status})
        if (first != kExitOk)
            return first;
    return kExitOk;
}

}  // namespace

const Subcommand flashCommand = {"flash", kOptions, runFlash};
