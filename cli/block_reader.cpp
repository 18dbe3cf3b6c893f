#include "block_reader.h"

#include "serial.h"

#include <cstring>

namespace {

constexpr int kTimeoutMs = 10;  // the interpreter's own read time-outs

void sendRequest(serial_handle h, int id, int blockAddress)
{
    unsigned char packet[3 + kBlockBytes] = {};
    packet[0] = static_cast<unsigned char>(0x80 | id);
    packet[1] = 0x30;
    packet[2] = static_cast<unsigned char>(blockAddress);
    serial_write(h, packet, sizeof packet);
}

}  // namespace

serial_handle openPortOrExit()
{
    serial_handle h = serial_open(comPortName, baudRate, kTimeoutMs);
    if (h == SERIAL_INVALID)
        h = serial_open(comPortName, baudRate, kTimeoutMs);
    if (h == SERIAL_INVALID)
        errexit("serial_open");
    return h;
}

int readBlock(serial_handle h, int id, int blockAddress, unsigned char* out)
{
    std::memset(out, 0, kBlockBytes);
    sendRequest(h, id, blockAddress);
    return serial_read(h, out, kBlockBytes);
}

int probeBlock(serial_handle h, int id, int blockAddress, int first, unsigned char* out)
{
    std::memset(out, 0, kBlockBytes);
    sendRequest(h, id, blockAddress);
    int got = serial_read(h, out, first);
    if (got == 0)
        return 0;
    return got + serial_read(h, out + got, kBlockBytes - got);
}
