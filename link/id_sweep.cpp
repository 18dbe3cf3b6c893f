#include "link/id_sweep.h"

#include "link/line_timing.h"
#include "link/protocol.h"
#include "link/registers.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <functional>
#include <optional>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;
using Micros = std::chrono::microseconds;

// A wait this long after every probe would make the sweep no faster than
// the plain exchange; a longer estimate is a hiccup of this program's.
constexpr long kMaxWaitUs = 30000;
// How late a servo may answer and still be found (20 ms, and some room),
// and still be seen at all (the scan then says its reply came late).
constexpr long kLateUs = 25000;
constexpr long kLateSeenUs = 100000;

constexpr int kSidOffset = paramtbl[registerRow("SYS_SID")].address;
static_assert(kSidOffset < kBlockBytes, "block 0 names its servo");

struct Probe {
    int id;
    Clock::time_point sentAt;
    Clock::time_point wireEnd;  // its last byte has crossed the wire
};

// Sorts the bytes that come during a sweep: echoes of the probes out,
// replies into whole blocks by the servo they name, the rest into unclear IDs.
class Sorter {
public:
    Sorter(const std::vector<int>& ids, const std::vector<Probe>& probes, const SweepLine& line)
        : ids_(ids), probes_(probes), byteUs_(::byteTimeUs(line.baud)), givenLatencyUs_(line.latencyUs)
    {
    }

    long perByteUs() const { return byteUs_; }
    // What is known of the latency, learnt or given, else what is assumed.
    long latencyUs() const
    {
        return latencyOrAssumed(result.latencyUs >= 0 ? result.latencyUs : givenLatencyUs_);
    }
    // After a probe, how long the line must stay quiet for the ID to be silent.
    long waitUs() const { return std::min(latencyUs() + byteUs_ + kTurnaroundUs, kMaxWaitUs); }

    void take(const unsigned char* bytes, int n, std::size_t window, Clock::time_point at)
    {
        if (arrivals_.empty() || arrivals_.back().first != window)
            arrivals_.emplace_back(window, at);
        for (int k = 0; k < n; ++k)
            takeByte(bytes[k], window, at);
    }
    // Nothing half-way: no reply and no echo begun and not ended.
    bool settled() const { return frameBytes_ == 0 && echoBytes_ == 0; }
    int blocksDone() const { return blocksDone_; }
    // Everything that came is sorted. Bytes that made no whole reply (one
    // cut short, two servos at once, noise) put the replies next to them in
    // doubt too, since a frame of 16 may straddle two of them: then every
    // ID that bytes came after is unclear.
    void end()
    {
        if (settled() && !garbled_)
            return;
        for (const auto& [window, at] : arrivals_)
            unclearBefore(window, at);
    }

    SweepResult result;

private:
    void takeByte(unsigned char byte, std::size_t window, Clock::time_point at)
    {
        if ((byte & kHeaderBit) != 0) {
            // Only a request starts with a header: a reply it interrupts is garbled.
            garbled_ = garbled_ || !settled();
            frameBytes_ = 0;
            echoBytes_ = 0;
            start(window, at);
            echo_[echoBytes_++] = byte;
            return;
        }
        if (echoBytes_ > 0) {
            echo_[echoBytes_++] = byte;
            if (echoBytes_ == kReadPacketBytes)
                endEcho();
            return;
        }
        if (frameBytes_ == 0)
            start(window, at);
        frame_[frameBytes_++] = byte;
        if (frameBytes_ == kBlockBytes)
            endFrame();
    }

    void start(std::size_t window, Clock::time_point at)
    {
        startWindow_ = window;
        startAt_ = at;
    }

    void endEcho()
    {
        echoBytes_ = 0;
        std::size_t k = indexOf(echo_[0] & kHighestId);
        unsigned char probe[kReadPacketBytes];
        buildReadPacket(probe, echo_[0] & kHighestId, 0x00);
        if (k > startWindow_ || std::memcmp(probe, echo_.data(), kReadPacketBytes) != 0) {
            garbled_ = true;
            return;
        }
        result.echoed = true;
        learn(startAt_ - probes_[k].sentAt);
    }

    void endFrame()
    {
        frameBytes_ = 0;
        const int sid = frame_[kSidOffset];
        std::size_t k = indexOf(sid);
        // A servo answers after its probe, and the servos in the order probed;
        // anything else (two servos on one ID) is not sorted out here.
        if (k > startWindow_ || (lastNamed_ && k <= *lastNamed_)) {
            garbled_ = true;
            if (k < ids_.size())
                result.unclear.push_back(sid);
            return;
        }
        lastNamed_ = k;
        ++blocksDone_;
        result.named.push_back(sid);
        learn(startAt_ - probes_[k].wireEnd);
    }

    // Past the last index when id was not probed (yet).
    std::size_t indexOf(int id) const
    {
        auto found = std::find(ids_.begin(), ids_.begin() + static_cast<std::ptrdiff_t>(probes_.size()), id);
        return static_cast<std::size_t>(found - ids_.begin());
    }

    // Bytes that made no whole reply, first seen at in window: any ID probed
    // within the span a late servo may take can have sent them.
    void unclearBefore(std::size_t window, Clock::time_point at)
    {
        const Micros span(kLateUs + latencyUs() + kBlockBytes * byteUs_);
        for (std::size_t k = 0; k <= window && k < probes_.size(); ++k)
            if (at - probes_[k].sentAt <= span)
                result.unclear.push_back(ids_[k]);
    }

    // The first byte of a probe's echo or of its servo's reply, however late:
    // how long after crossing the wire bytes reach this program, which every
    // later wait allows for (a reply behind an adapter's timer must be seen
    // before the next probe goes out, or the two would meet on the wire).
    void learn(Clock::duration sinceSent)
    {
        long us = static_cast<long>(std::chrono::duration_cast<Micros>(sinceSent).count()) - byteUs_;
        seen_.push_back(std::clamp(us, 0L, kMaxWaitUs));
        // The largest but one, once there are three: a moment in which this
        // program did not run makes one reply look late, and must not slow
        // every wait after it.
        std::vector<long> sorted = seen_;
        std::ranges::sort(sorted, std::greater<>());
        result.latencyUs = static_cast<int>(sorted[sorted.size() >= 3 ? 1 : 0]);
    }

    const std::vector<int>& ids_;
    const std::vector<Probe>& probes_;
    long byteUs_;
    long givenLatencyUs_;
    std::array<unsigned char, kBlockBytes> frame_{};
    std::array<unsigned char, kReadPacketBytes> echo_{};
    int frameBytes_ = 0;
    int echoBytes_ = 0;
    std::size_t startWindow_ = 0;
    Clock::time_point startAt_;
    std::optional<std::size_t> lastNamed_;
    int blocksDone_ = 0;
    bool garbled_ = false;
    std::vector<long> seen_;  // each latency the replies and echoes showed
    std::vector<std::pair<std::size_t, Clock::time_point>> arrivals_;  // each window that bytes came in, first when
};

// Reads what comes until the line has been quiet for waitUs after deadline;
// with stopEarly, also once a reply has ended and nothing is half-way.
void listen(serial_handle h, Sorter& sorter, std::size_t window, Clock::time_point deadline, long waitUs,
            bool stopEarly)
{
    const int blocksBefore = sorter.blocksDone();
    std::array<unsigned char, 64> bytes{};
    for (;;) {
        auto left = std::chrono::duration_cast<Micros>(deadline - Clock::now()).count();
        int got = serial_read_some(h, bytes.data(), static_cast<int>(bytes.size()),
                                   static_cast<int>(std::max<long long>(left, 0)));
        if (got == 0)
            return;
        auto at = Clock::now();
        sorter.take(bytes.data(), got, window, at);
        // Bytes still coming keep the window open.
        deadline = std::max(deadline, at + Micros(waitUs));
        if (stopEarly && sorter.settled() && sorter.blocksDone() > blocksBefore)
            return;
    }
}

}  // namespace

SweepResult sweepIds(serial_handle h, const std::vector<int>& ids, const SweepLine& line,
                     const std::function<bool(int id, std::size_t k)>& next)
{
    std::vector<Probe> probes;
    probes.reserve(ids.size());
    Sorter sorter(ids, probes, line);
    const long perByte = sorter.perByteUs();
    unsigned char packet[kReadPacketBytes];
    for (std::size_t k = 0; k < ids.size(); ++k) {
        if (next && !next(ids[k], k))
            break;
        buildReadPacket(packet, ids[k], 0x00);
        auto sentAt = Clock::now();
        serial_write(h, packet, kReadPacketBytes);
        auto wireEnd = sentAt + Micros(kReadPacketBytes * perByte);
        probes.push_back({ids[k], sentAt, wireEnd});
        listen(h, sorter, k, wireEnd + Micros(sorter.waitUs()), sorter.waitUs(), true);
    }
    // Servos that answer late, the last ones' replies still on their way.
    if (!probes.empty()) {
        long tail = sorter.latencyUs() + (line.lastRate ? kLateSeenUs : kLateUs) + kBlockBytes * perByte;
        listen(h, sorter, probes.size() - 1, Clock::now() + Micros(tail), tail, false);
    }
    sorter.end();
    SweepResult result = sorter.result;
    // Each ID once, in the order probed.
    auto inOrder = [&](std::vector<int>& found) {
        std::vector<int> ordered;
        for (int id : ids)
            if (std::ranges::find(found, id) != found.end())
                ordered.push_back(id);
        found = ordered;
    };
    inOrder(result.named);
    inOrder(result.unclear);
    return result;
}
