// When reply bytes reach the host: off the wire one by one, or held and
// passed on in bursts by an adapter's latency timer.
#include "tools/reply_schedule.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
const auto kStart = std::chrono::steady_clock::time_point{} + 1s;
constexpr std::chrono::nanoseconds kByte = 86805ns;  // 10 bits at 115200 baud

TEST(ReplySchedule, WithoutATimerBytesComeOffTheWire)
{
    auto unpaced = replySchedule(16, 0ns, 0ms, kStart);
    ASSERT_EQ(unpaced.size(), 1u);
    EXPECT_EQ(unpaced[0].at, kStart);
    EXPECT_EQ(unpaced[0].bytes, 16u);

    auto paced = replySchedule(3, kByte, 0ms, kStart);
    ASSERT_EQ(paced.size(), 3u);
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(paced[k].at, kStart + kByte * static_cast<long long>(k + 1));
        EXPECT_EQ(paced[k].bytes, 1u);
    }
    EXPECT_TRUE(replySchedule(0, kByte, 16ms, kStart).empty());
}

TEST(ReplySchedule, TheTimerHoldsShortRepliesAndAFullBufferGoesAtOnce)
{
    // An acknowledge and a register block both wait the whole timer.
    for (std::size_t count : {1u, 16u}) {
        auto held = replySchedule(count, kByte, 16ms, kStart);
        ASSERT_EQ(held.size(), 1u);
        EXPECT_EQ(held[0].at, kStart + kByte + 16ms);
        EXPECT_EQ(held[0].bytes, count);
    }
    // 62 bytes fill the buffer before the timer runs out; the rest start it anew.
    auto paced = replySchedule(100, kByte, 16ms, kStart);
    ASSERT_EQ(paced.size(), 2u);
    EXPECT_EQ(paced[0].at, kStart + kByte * 62);
    EXPECT_EQ(paced[0].bytes, kAdapterBufferBytes);
    EXPECT_EQ(paced[1].at, kStart + kByte * 63 + 16ms);
    EXPECT_EQ(paced[1].bytes, 38u);

    auto unpaced = replySchedule(100, 0ns, 1ms, kStart);
    ASSERT_EQ(unpaced.size(), 2u);
    EXPECT_EQ(unpaced[0].at, kStart);
    EXPECT_EQ(unpaced[1].at, kStart + 1ms);
}

TEST(ReplySchedule, AnEchoAndAReplyWithinTheTimerShareOneBurst)
{
    // Four echo bytes, then a one-byte reply 5 ms or 30 ms after them.
    for (auto gap : {5ms, 30ms}) {
        auto arrivals = offWire(4, kByte, kStart);
        auto reply = offWire(1, kByte, arrivals.back() + gap);
        arrivals.insert(arrivals.end(), reply.begin(), reply.end());
        auto bursts = adapterBursts(arrivals, 16ms);
        ASSERT_EQ(bursts.size(), gap == 5ms ? 1u : 2u);
        EXPECT_EQ(bursts[0].at, kStart + kByte + 16ms);
        EXPECT_EQ(bursts[0].bytes, gap == 5ms ? 5u : 4u);
        EXPECT_EQ(bursts.back().at, gap == 5ms ? kStart + kByte + 16ms : reply[0] + 16ms);
    }
}

}  // namespace
