// orvelin scan: which IDs answer, at which baud rates.
#include "exit_codes.h"
#include "id_lists.h"
#include "interrupt.h"
#include "messages.h"
#include "port_setup.h"
#include "progress.h"
#include "registers.h"
#include "serial.h"
#include "servo_probe.h"
#include "subcommands.h"

#include <cstdio>
#include <string>

namespace {

constexpr OptionDef kScanOptions[] = {{"--ids", true}};

// Which ID the scan is at, on one line of a terminal that each step
// redraws; it is wiped before a found servo's line is printed.
class ProgressLine {
public:
    explicit ProgressLine(std::size_t total) : total_(total), shown_(isTerminal(stderr)) {}
    ~ProgressLine() { wipe(); }

    void at(int id, std::size_t done)
    {
        if (!shown_)
            return;
        std::string text = format(Msg::ScanProgress, id, done + 1, total_, baudRate);
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

void scanAt(const std::vector<int>& ids, int& found)
{
    ProgressLine progress(ids.size());
    probeServos(
        ids, [&](int id, std::size_t k) { progress.at(id, k); },
        [&](int id, const unsigned char* block) {
            ++found;
            progress.wipe();
            std::printf("%02X  0x%04X  0x%04X   %d\n", id, decodeGroups(block, 2), decodeGroups(block + 2, 2),
                        baudRate);
            std::fflush(stdout);
        },
        interrupted);
}

int runScan(const ParsedArgs& args)
{
    if (!expectPositional(args, "scan", 0, 0, ""))
        return kExitUsage;
    std::vector<int> ids;
    if (const std::string* text = args.value("--ids")) {
        auto parsed = parseIdList(*text);
        if (!parsed) {
            complain(Msg::BadIdList, text->c_str());
            return usageFailure("scan");
        }
        ids = *parsed;
    } else {
        ids = *parseIdList("0-3F");
    }
    // --baud takes a list here; the port settings see only the port.
    ParsedArgs portArgs = args;
    portArgs.values.erase("--baud");
    std::vector<int> rates;
    if (const std::string* text = args.value("--baud")) {
        auto parsed = parseBaudList(*text);
        if (!parsed) {
            complain(Msg::BadBaudList, text->c_str());
            return usageFailure("scan");
        }
        rates = *parsed;
    }
    if (int status = preparePort(portArgs); status != kExitOk)
        return status;
    if (rates.empty())
        rates.push_back(baudRate);

    catchInterrupt();
    std::printf("ID  SYS_PN  SYS_VER  BAUD\n");
    int found = 0;
    for (int rate : rates) {
        if (interrupted())
            break;
        baudRate = rate;
        scanAt(ids, found);
    }
    if (found == 0) {
        complain(Msg::ScanNone, portDisplayName().c_str());
        return kExitNoReply;
    }
    return kExitOk;
}

}  // namespace

const Subcommand scanCommand = {"scan", kScanOptions, runScan};
