// orvelin scan: which IDs answer, at which baud rates.
#include "cli/exit_codes.h"
#include "cli/id_lists.h"
#include "cli/console/interrupt.h"
#include "cli/texts/messages.h"
#include "cli/port_setup.h"
#include "cli/console/progress.h"
#include "link/registers.h"
#include "link/serial.h"
#include "cli/outcomes.h"
#include "orvelin/scan.h"
#include "orvelin/servo_lists.h"
#include "cli/subcommands.h"

#include <cstdio>
#include <string>

namespace {

// Its --baud is the common option, read as a list of rates: its row here
// says so in the help.
struct ScanArgs : CommonArgs {
    std::optional<std::string> ids;
};

constexpr Option<ScanArgs> kOptions[] = {
    {"--ids", &ScanArgs::ids, {"LIST", "リスト"},
     {"hexadecimal IDs and ranges: 0-3F (the default), 1,2,5 or 0-7,10",
      "16進数の ID と範囲: 0-3F (省略時)、1,2,5、0-7,10 など"}},
    {"--baud", &ScanArgs::baud, {"LIST", "リスト"},
     {"baud rates to try: 115200, or 57600,115200, or all (the six from 14400\nto 230400; default: the one in force)",
      "試すボーレート: 115200、57600,115200 など、または all (14400 から\n230400 までの6つ。省略時は現在の設定)"}},
};

constexpr OptionDoc kCommonShown[] = {kPortOption.doc(), kWireOption.doc()};

constexpr CommandHelp kHelp = {
    .common = kCommonShown,
    .english = {
        .intro = R"(Finds the servos that answer on the bus and prints the ID, SYS_PN and SYS_VER of each,
with the baud rate it answered at. Every ID gets a short read with only a short wait after
it; the reply carries the servo's own ID, so one that comes late is never taken for
another. Each servo so found is asked once more with a whole read before it is listed.
)",
        .outro = R"(
On a terminal a line on stderr shows which ID is being tried.

Exit status: 0 a servo answered, 1 the port cannot be opened, 2 bad arguments or no port
configured, 8 no servo answered, 9 an answer came garbled, short or late (not listed).
)",
    },
    .japanese = {
        .intro = R"(バスで応答するサーボを探し、それぞれの ID、SYS_PN、SYS_VER と応答したボーレートを
表示します。ID ごとに短い読み出しを行い、その後は短く待つだけです。応答にはサーボ自身の
ID が入っているため、遅れた応答を別の ID のものと取り違えることはありません。見つかった
サーボには、表示する前にもう一度すべてを読み出して確かめます。
)",
        .outro = R"(
端末では、試している ID を標準エラーの1行に表示します。

終了コード: 0 応答あり、1 ポートが開けない、2 引数の誤りかポートが設定されていない、
8 応答したサーボがない、9 応答が乱れた・欠けた・遅れた (表示しません)
)",
    },
};

// Which ID the scan is at, on one line of a terminal that each step
// redraws; it is wiped before a found servo's line is printed.
struct ScanTally {
    int found = 0;      // answers listed
    int untrusted = 0;  // garbled, short or late answers
};

class ProgressLine {
public:
    explicit ProgressLine(std::size_t total) : total_(total), shown_(isTerminal(stderr)) {}
    ~ProgressLine() { wipe(); }

    void at(int id, std::size_t done, int baud)
    {
        if (!shown_)
            return;
        std::string text = format(Msg::ScanProgress, id, done + 1, total_, baud);
        std::fprintf(stderr, "\r%s", text.c_str());
        std::fflush(stderr);
        width_ = text.size();
    }
    void wipe()
    {
        if (!shown_ || width_ == 0)
            return;
        std::fprintf(stderr, "\r%*s\r", static_cast<int>(width_), "");
        std::fflush(stderr);
        width_ = 0;
    }

private:
    std::size_t total_;
    bool shown_;
    std::size_t width_ = 0;
};

// Garbled and late answers are said, never listed: their values are not the servo's.
void tellFind(const ScanFind& find, ScanTally& tally)
{
    const Outcome& outcome = find.outcome;
    if (outcome.ok()) {
        ++tally.found;
        std::printf("%02X  0x%04X  0x%04X   %d\n", outcome.id, find.partNumber, find.version, find.baud);
        std::fflush(stdout);
        return;
    }
    ++tally.untrusted;
    reportScanFind(find);
}

int runScan(const ScanArgs& args)
{
    if (!expectPositional(args, "scan", 0, 0, ""))
        return kExitUsage;
    std::vector<int> ids;
    if (args.ids) {
        auto parsed = orvelin::parseIdList(*args.ids);
        if (!parsed) {
            complain(Msg::BadIdList, args.ids->c_str());
            return usageFailure("scan");
        }
        ids = *parsed;
    } else {
        ids = orvelin::everyId();
    }
    // --baud takes a list here; the port settings see only the port.
    CommonArgs portArgs = args;
    portArgs.baud.reset();
    std::vector<int> rates;
    if (args.baud) {
        auto parsed = parseBaudList(*args.baud);
        if (!parsed) {
            complain(Msg::BadBaudList, args.baud->c_str());
            return usageFailure("scan");
        }
        rates = *parsed;
    }
    int status = kExitOk;
    auto choice = choosePort(portArgs, status);
    if (!choice)
        return status;
    if (rates.empty())
        rates.push_back(choice->baud);

    catchInterrupt();
    RunBus bus(*choice);
    if (!portOpened(bus, status))
        return status;
    std::printf("ID  SYS_PN  SYS_VER  BAUD\n");
    ScanTally tally;
    ProgressLine progress(ids.size());
    orvelin::ScanCalls calls;
    calls.tried = [&](int id, std::size_t k, int baud) { progress.at(id, k, baud); };
    calls.found = [&](const ScanFind& find) {
        progress.wipe();
        tellFind(find, tally);
    };
    calls.rateRefused = [&](int baud) {
        progress.wipe();
        complain(Msg::ScanRateRefused, bus.port().c_str(), baud);
    };
    calls.stop = interrupted;
    orvelin::scanRates(bus, rates, ids, calls);
    progress.wipe();
    if (tally.untrusted > 0)
        return kExitBadReply;
    if (tally.found == 0) {
        complain(Msg::ScanNone, bus.port().c_str());
        return kExitNoReply;
    }
    return kExitOk;
}

}  // namespace

const Subcommand scanCommand = subcommand<ScanArgs, kOptions, runScan>("scan", kHelp);
