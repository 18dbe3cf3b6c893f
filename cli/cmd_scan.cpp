// orvelin scan: which IDs answer, at which baud rates.
#include "exit_codes.h"
#include "id_lists.h"
#include "interrupt.h"
#include "messages.h"
#include "port_setup.h"
#include "progress.h"
#include "registers.h"
#include "serial.h"
#include "subcommands.h"
#include "term.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr OptionDef kScanOptions[] = {{"--ids", true}};

// SYS_PN and SYS_VER are the first four bytes of block 0: waiting for those
// alone cuts the time a silent ID costs from 170 ms to 50 ms.
constexpr int kProbeBytes = 4;

// A read block that waits only for the first kProbeBytes before giving up
// on a silent ID, then collects the rest of the reply.
int probeBlock(serial_handle h, int id, unsigned char* out)
{
    std::memset(out, 0, kBlockBytes);
    sendReadBlock(h, id, 0x00);
    int got = serial_read(h, out, kProbeBytes);
    if (got == 0)
        return 0;
    return got + serial_read(h, out + got, kBlockBytes - got);
}

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
    serial_handle h = openPortInForce();
    ProgressLine progress(ids.size());
    for (std::size_t k = 0; k < ids.size(); ++k) {
        if (interrupted())
            break;
        int id = ids[k];
        progress.at(id, k);
        unsigned char block[kBlockBytes];
        int got = probeBlock(h, id, block);
        if (got == 0)
            continue;
        ++found;
        progress.wipe();
        std::printf("%02X  0x%04X  0x%04X   %d\n", id, decodeGroups(block, 2), decodeGroups(block + 2, 2), baudRate);
        std::fflush(stdout);
    }
    serial_close(h);
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
