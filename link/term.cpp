#include "term.h"

#include "lasterror.h"
#include "packet_text.h"
#include "registers.h"
#include "serial.h"
#include "upload.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

PositionOperands bOperands = {1, 0, 0x800, 0};

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

constexpr int kDrainMax = 256;  // a babbling line must not hold the program
constexpr int kHighestId = 0x3F;

// Reply bytes are traced as signed, the way the servo's answer sits in a char buffer.
uint32_t decodeSigned(const unsigned char* b, int n)
{
    uint32_t v = 0;
    for (int k = 0; k < n; ++k)
        v |= static_cast<uint32_t>(static_cast<int>(static_cast<signed char>(b[k]))) << (7 * k);
    return v;
}

void readAll(serial_handle h, int id)
{
    std::memset(param, 0, sizeof param);
    for (int a = 0x00; a <= 0x50; a += kBlockBytes) {
        int written = sendReadBlock(h, id, a);
        tracef("(w:%d)", written);
        int got = serial_read(h, &param[a], kBlockBytes);
        tracef("(r:%d)", got);
        if (got != kBlockBytes)
            tracef("(bytes err)");
        if (got < 1)
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
    unsigned char stray = 0;
    for (int k = 0; k < kDrainMax && serial_read(h, &stray, 1) == 1; ++k)
        tracef("(r?:%02x)\n", static_cast<int>(static_cast<signed char>(stray)));
}

// The register row a "w" or "f" line writes, traced, or -1 when the line
// lacks an operand, gives a negative one, or names no register.
int writeTarget(const char* line, int (&ops)[2])
{
    ops[0] = ops[1] = -1;
    termOperands(line, ops, 2);
    if (ops[0] < 0 || ops[1] < 0)
        return -1;
    int row = findParamRow(ops[0]);
    if (row >= 0)
        tracef("%06x %x %d\n", ops[0], ops[1], paramtbl[row].size);
    return row;
}

void ramWrite(serial_handle h, int id, char* line)
{
    int ops[2];
    int row = writeTarget(line, ops);
    if (row < 0)
        return;
    int n = paramtbl[row].size;
    auto* buf = reinterpret_cast<unsigned char*>(line);
    buf[0] = static_cast<unsigned char>(0x80 | id);
    buf[1] = static_cast<unsigned char>(0x60 | n);
    buf[2] = static_cast<unsigned char>(ops[0]);
    encodeGroups(static_cast<uint32_t>(ops[1]), n, buf + 3);
    serial_write(h, buf, n + 3);
    serial_read(h, buf, n);
    uint32_t echo = decodeSigned(buf, n);
    if (n == 1)
        tracef("%02x\n", echo);
    else if (n == 2)
        tracef("%04x\n", echo);
    else
        tracef("%08x\n", echo);
}

void flashWrite(serial_handle h, int id, char* line)
{
    int ops[2];
    int row = writeTarget(line, ops);
    if (row < 0)
        return;
    int n = paramtbl[row].size;
    auto* buf = reinterpret_cast<unsigned char*>(line);
    buf[0] = static_cast<unsigned char>(0x80 | id);
    buf[1] = static_cast<unsigned char>(n);
    buf[2] = static_cast<unsigned char>(ops[0] & 0x7F);
    buf[3] = static_cast<unsigned char>((ops[0] >> 7) & 0x7F);
    encodeGroups(static_cast<uint32_t>(ops[1]), n, buf + 4);
    buf[n + 4] = checksum7(buf + 2, n + 2);
    serial_write(h, buf, n + 5);
    int got = serial_read(h, buf, 1);
    tracef("(%d)%02x\n", got, static_cast<int>(static_cast<signed char>(buf[0])));
}

void fixedPacket(serial_handle h, unsigned char* buf)
{
    static constexpr unsigned char kFixed[4] = {0xBF, 0x41, 0x4F, 0x01};
    std::memcpy(buf, kFixed, sizeof kFixed);
    serial_write(h, buf, sizeof kFixed);
}

void positionWrite(serial_handle h, char* line)
{
    int ops[4];
    int count = termOperands(line, ops, 4);
    int* fields[4] = {&bOperands.from, &bOperands.to, &bOperands.pos, &bOperands.en};
    for (int k = 0; k < count; ++k)
        *fields[k] = ops[k];
    auto* buf = reinterpret_cast<unsigned char*>(line);
    // Only IDs a servo can have, each once: no range can wrap or run forever.
    int first = bOperands.from < 0 ? 0 : bOperands.from;
    int last = bOperands.to > kHighestId ? kHighestId : bOperands.to;
    for (int k = first; k <= last; ++k) {
        tracef("%02x: w: %04x ", bOperands.pos, bOperands.en);
        buf[0] = static_cast<unsigned char>(0xC0 | k);
        buf[1] = static_cast<unsigned char>(bOperands.pos & 0x7F);
        buf[2] = static_cast<unsigned char>((bOperands.pos >> 7) & 0x7F);
        buf[3] = static_cast<unsigned char>(bOperands.en);
        buf[4] = 0x00;
        serial_write(h, buf, 5);
        int got = serial_read(h, buf, 4);
        tracef("r(%d):%04x %04x\n", got, decodeSigned(buf, 2), decodeSigned(buf + 2, 2));
    }
    fixedPacket(h, buf);
}

PortFailure portFailureMode = PortFailure::Exit;

}  // namespace

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

int sendReadBlock(serial_handle h, int id, int blockAddress)
{
    unsigned char packet[3 + kBlockBytes] = {};
    packet[0] = static_cast<unsigned char>(0x80 | id);
    packet[1] = 0x30;
    packet[2] = static_cast<unsigned char>(blockAddress);
    return serial_write(h, packet, sizeof packet);
}

int readBlock(serial_handle h, int id, int blockAddress, unsigned char* out)
{
    std::memset(out, 0, kBlockBytes);
    sendReadBlock(h, id, blockAddress);
    return serial_read(h, out, kBlockBytes);
}

int term(char* line)
{
    int id = SendID;
    serial_handle h = openPortInForce();
    if (h == SERIAL_INVALID)
        return -1;
    auto* buf = reinterpret_cast<unsigned char*>(line);
    int result = 0;
    switch (line[0]) {
    case 'R':
    case 'r':
    case '\n':
        readAll(h, id);
        break;
    case 'W':
    case 'w':
        ramWrite(h, id, line);
        break;
    case 'F':
    case 'f':
        flashWrite(h, id, line);
        break;
    case 'B':
    case 'b':
        positionWrite(h, line);
        break;
    case 'S':
    case 's':
        fixedPacket(h, buf);
        break;
    case 'U':
    case 'u':
        result = uploadFirmware(h, id, line, buf);
        break;
    default:
        break;
    }
    // Closing the port may touch the last-error value; the upload's code must survive it.
    uint32_t code = GetLastError();
    serial_close(h);
    SetLastError(code);
    return result;
}
