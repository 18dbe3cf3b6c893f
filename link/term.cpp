#include "link/term.h"

#include "link/lasterror.h"
#include "link/registers.h"
#include "link/serial.h"
#include "link/upload.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>

PositionOperands bOperands = {1, 0, 0x800, 0};

const char* firstWordEnd(const char* line)
{
    const char* p = line;
    while (std::isspace(static_cast<unsigned char>(*p)))
        ++p;
    while (*p != '\0' && !std::isspace(static_cast<unsigned char>(*p)))
        ++p;
    return p;
}

int termOperands(const char* line, int* out, int maxCount)
{
    const char* p = firstWordEnd(line);
    int count = 0;
    while (count < maxCount) {
        char* end = nullptr;
        unsigned long long v = std::strtoull(p, &end, 16);
        if (end == p)
            break;
        // strtoull's own negation wraps within 64 bits; keep the low 32 as %x does.
        bool negative = std::strchr(p, '-') != nullptr && std::strchr(p, '-') < end;
        if (!negative && v > 0xFFFFFFFFULL)
            v = 0xFFFFFFFFULL;
        out[count++] = static_cast<int>(static_cast<uint32_t>(v));
        p = end;
    }
    return count;
}

namespace {

TermCommand commandOf(char first)
{
    switch (first) {
    case 'R':
    case 'r':
    case '\n':
        return TermCommand::ReadAll;
    case 'W':
    case 'w':
        return TermCommand::RamWrite;
    case 'F':
    case 'f':
        return TermCommand::FlashWrite;
    case 'B':
    case 'b':
        return TermCommand::Positions;
    case 'S':
    case 's':
        return TermCommand::Fixed;
    case 'U':
    case 'u':
        return TermCommand::Upload;
    default:
        return TermCommand::None;
    }
}

}  // namespace

TermLine parseTermLine(const char* line)
{
    TermLine parsed;
    parsed.command = commandOf(line[0]);
    if (parsed.command == TermCommand::RamWrite || parsed.command == TermCommand::FlashWrite) {
        int ops[2] = {-1, -1};
        parsed.operandCount = termOperands(line, ops, 2);
        parsed.address = ops[0];
        parsed.value = ops[1];
        if (ops[0] >= 0 && ops[1] >= 0)
            parsed.row = findParamRow(ops[0]);
    } else if (parsed.command == TermCommand::Positions) {
        int ops[4];
        parsed.operandCount = termOperands(line, ops, 4);
        parsed.positions = bOperands;
        int* fields[4] = {&parsed.positions.from, &parsed.positions.to, &parsed.positions.pos, &parsed.positions.en};
        for (int k = 0; k < parsed.operandCount; ++k)
            *fields[k] = ops[k];
        // Only IDs a servo can have, each once: no range can wrap or run forever.
        parsed.firstId = std::max(parsed.positions.from, 0);
        parsed.lastId = std::min(parsed.positions.to, kHighestId);
    }
    return parsed;
}

namespace {

std::vector<TermReply> replies;

void noteReply(int id, int expected, int received, ReplyStatus status, bool echoed, unsigned char ack = 0)
{
    replies.push_back({id, expected, received, status, ack, echoed});
}

// Reply bytes are traced as signed, the way the servo's answer sits in a char buffer.
uint32_t decodeSigned(const unsigned char* b, int n)
{
    uint32_t v = 0;
    for (int k = 0; k < n; ++k)
        v |= static_cast<uint32_t>(static_cast<int>(static_cast<signed char>(b[k]))) << (kGroupBits * k);
    return v;
}

void readAll(serial_handle h, int id)
{
    std::memset(param, 0, sizeof param);
    for (int a = 0x00; a < kRegisterBytes; a += kBlockBytes) {
        BlockReply reply = readBlockExchange(h, id, a, &param[a]);
        tracef("(w:%d)", reply.written);
        noteReply(id, kBlockBytes, reply.received, reply.status, reply.echoed);
        tracef("(r:%d)", reply.received);
        if (reply.received != kBlockBytes)
            tracef("(bytes err)");
        if (reply.received < 1)
            continue;
        tracef("%02x: ", a);
        for (int k = 0; k < kBlockBytes; ++k) {
            tracef("%02x ", param[a + k]);
            if (k % 4 == 3)
                traceChar(' ');
        }
        traceChar('\n');
    }
    for (int i = 0; paramtbl[i].name != nullptr; ++i) {
        const ParamDef& def = paramtbl[i];
        tracef("%02x:%-7s=", def.address, def.name);
        uint32_t v = paramValue(i);
        if (def.size == 1)
            tracef("%02x      ", v);
        else if (def.size == 2)
            tracef("%04x    ", v);
        else
            tracef("%08x", v);
        traceChar(i % 4 == 3 ? '\n' : ' ');
    }
    traceChar('\n');
    int stray = drainLine(h, kDrainMax, [](unsigned char byte) {
        tracef("(r?:%02x)\n", static_cast<int>(static_cast<signed char>(byte)));
    });
    if (stray > 0)
        noteReply(id, 0, stray, ReplyStatus::Followed, false);
}

// The register row a "w" or "f" line writes, traced, or -1 when the line
// lacks an operand, gives a negative one, or names no register.
int writeTarget(const TermLine& parsed)
{
    if (parsed.row >= 0)
        tracef("%06x %x %d\n", parsed.address, parsed.value, paramtbl[parsed.row].size);
    return parsed.row;
}

void ramWrite(serial_handle h, int id, const TermLine& parsed, unsigned char* buf)
{
    int row = writeTarget(parsed);
    if (row < 0)
        return;
    int n = paramtbl[row].size;
    EchoReply reply = ramWriteExchange(h, id, parsed.address, n, static_cast<uint32_t>(parsed.value), buf);
    noteReply(id, n, reply.received, reply.status, reply.echoed);
    uint32_t echo = decodeSigned(buf, n);
    if (n == 1)
        tracef("%02x\n", echo);
    else if (n == 2)
        tracef("%04x\n", echo);
    else
        tracef("%08x\n", echo);
}

void flashWrite(serial_handle h, int id, const TermLine& parsed, unsigned char* buf)
{
    int row = writeTarget(parsed);
    if (row < 0)
        return;
    int n = paramtbl[row].size;
    AckReply reply = flashWriteExchange(h, id, parsed.address, n, static_cast<uint32_t>(parsed.value), buf);
    noteReply(id, 1, reply.received, reply.status, reply.echoed, reply.ack);
    tracef("(%d)%02x\n", reply.received, static_cast<int>(static_cast<signed char>(buf[0])));
}

void positionWrite(serial_handle h, const TermLine& parsed, unsigned char* buf)
{
    bOperands = parsed.positions;
    for (int k = parsed.firstId; k <= parsed.lastId; ++k) {
        tracef("%02x: w: %04x ", bOperands.pos, bOperands.en);
        PositionReply reply = positionWriteExchange(h, k, bOperands.pos, bOperands.en, buf);
        noteReply(k, kPositionReplyBytes, reply.received, reply.status, reply.echoed);
        tracef("r(%d):%04x %04x\n", reply.received, decodeSigned(buf, 2), decodeSigned(buf + 2, 2));
    }
    sendFixedPacket(h, buf);
}

PortFailure portFailureMode = PortFailure::Exit;

}  // namespace

const std::vector<TermReply>& termReplies()
{
    return replies;
}

void set_port_failure(PortFailure mode)
{
    portFailureMode = mode;
}

PortFailure port_failure()
{
    return portFailureMode;
}

serial_handle openPortInForce()
{
    serial_handle h = serial_open(comPortName, baudRate, kPortTimeoutMs);
    if (h != SERIAL_INVALID)
        return h;
    serial_close(h);
    h = serial_open(comPortName, baudRate, kPortTimeoutMs);
    if (h != SERIAL_INVALID)
        return h;
    if (portFailureMode == PortFailure::Exit)
        errexit("serial_open");
    SetLastError(kPortOpenFailed);
    return SERIAL_INVALID;
}

int term(char* line)
{
    int id = SendID;
    replies.clear();
    serial_handle h = openPortInForce();
    if (h == SERIAL_INVALID)
        return -1;
    auto* buf = reinterpret_cast<unsigned char*>(line);
    const TermLine parsed = parseTermLine(line);
    int result = 0;
    switch (parsed.command) {
    case TermCommand::ReadAll:
        readAll(h, id);
        break;
    case TermCommand::RamWrite:
        ramWrite(h, id, parsed, buf);
        break;
    case TermCommand::FlashWrite:
        flashWrite(h, id, parsed, buf);
        break;
    case TermCommand::Positions:
        positionWrite(h, parsed, buf);
        break;
    case TermCommand::Fixed:
        sendFixedPacket(h, buf);
        break;
    case TermCommand::Upload:
        result = uploadFirmware(h, id, line);
        break;
    case TermCommand::None:
        break;
    }
    // Closing the port may touch the last-error value; the upload's code must survive it.
    uint32_t code = GetLastError();
    serial_close(h);
    SetLastError(code);
    return result;
}
