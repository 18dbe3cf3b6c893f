#include "servo_probe.h"

#include "term.h"

#include <cstring>

namespace {

// SYS_PN and SYS_VER are the first four bytes of block 0: waiting for those
// alone cuts the time a silent ID costs from 170 ms to 50 ms.
constexpr int kProbeBytes = 4;

}  // namespace

int probeServo(serial_handle h, int id, unsigned char* out)
{
    std::memset(out, 0, kBlockBytes);
    sendReadBlock(h, id, 0x00);
    int got = serial_read(h, out, kProbeBytes);
    if (got == 0)
        return 0;
    return got + serial_read(h, out + got, kBlockBytes - got);
}

std::vector<int> probeServos(const std::vector<int>& candidates,
                             const std::function<void(int id, std::size_t k)>& tried,
                             const std::function<void(int id, const unsigned char* block)>& found,
                             const std::function<bool()>& stop)
{
    std::vector<int> answered;
    serial_handle h = openPortInForce();
    for (std::size_t k = 0; k < candidates.size() && !stop(); ++k) {
        int id = candidates[k];
        tried(id, k);
        unsigned char block[kBlockBytes];
        if (probeServo(h, id, block) == 0)
            continue;
        answered.push_back(id);
        found(id, block);
    }
    serial_close(h);
    return answered;
}
