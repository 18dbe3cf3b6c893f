#include "servo_reads.h"

#include "command_lines.h"
#include "exit_codes.h"
#include "messages.h"
#include "port_setup.h"
#include "registers.h"
#include "run_line.h"
#include "serial.h"
#include "term.h"
#include "wire_monitor.h"

#include <algorithm>
#include <numeric>

namespace {

constexpr std::size_t kBlocks = kRegisterBytes / kBlockBytes;

}  // namespace

RegisterRead readRegisters()
{
    markReads();
    runLine(kReadAllLine);
    std::vector<int> reads = readsSinceMark();
    // The six block reads come first, then the drain's single bytes.
    std::size_t blocks = std::min(reads.size(), kBlocks);
    RegisterRead read;
    read.received = std::accumulate(reads.begin(), reads.begin() + static_cast<std::ptrdiff_t>(blocks), 0);
    read.stray = std::accumulate(reads.begin() + static_cast<std::ptrdiff_t>(blocks), reads.end(), 0);
    return read;
}

int judgeRead(const RegisterRead& read)
{
    if (read.whole())
        return kExitOk;
    if (read.received == 0 && read.stray == 0) {
        complain(Msg::NoReply, SendID, portDisplayName().c_str(), baudRate);
        return kExitNoReply;
    }
    if (read.received < kRegisterBytes)
        complain(Msg::ShortReply, read.received, SendID);
    else
        complain(Msg::StrayReply, read.stray, SendID);
    return kExitBadReply;
}

int replyBytesSinceMark()
{
    std::vector<int> reads = readsSinceMark();
    return std::accumulate(reads.begin(), reads.end(), 0);
}

uint32_t ServoMemory::value(int row) const
{
    const ParamDef& def = paramtbl[row];
    return decodeGroups(&bytes[static_cast<std::size_t>(def.address)], def.size);
}

int readServoMemory(int id, ServoMemory& memory)
{
    SendID = id;
    int status = judgeRead(readRegisters());
    if (status != kExitOk)
        return status;
    memory.id = id;
    std::copy_n(param, kRegisterBytes, memory.bytes.begin());
    return kExitOk;
}
