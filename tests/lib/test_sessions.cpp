// Two bus sessions on two ports at once, each on a thread of its own: every
// read is judged on its own line and brings its own servo's values.
#include "orvelin/reads.h"
#include "tools/virtual_servo.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using namespace orvelin;

struct Tally {
    int ok = 0;
    int right = 0;  // Ok reads that brought this servo's own value
};

TEST(SessionsTest, TwoSessionsOnTwoPortsAtOnceEachReadTheirOwnServo)
{
    constexpr int kReads = 100;
    const int row = *findRegister("FB_ILIM");  // a setting: it stays put
    VirtualServo first({0x01});
    VirtualServo second({0x02});
    ASSERT_TRUE(first.start());
    ASSERT_TRUE(second.start());
    first.setMemory(0x01, 0x36, {0x11, 0x01});   // 0x0091
    second.setMemory(0x02, 0x36, {0x22, 0x02});  // 0x0122

    auto reads = [&](const std::string& port, int id, uint32_t own, Tally& tally) {
        Bus bus(port, 115200);
        for (int k = 0; k < kReads; ++k) {
            std::vector<Reading> reading = readRegisters(bus, {id}, {row});
            tally.ok += reading[0].outcome.ok();
            tally.right += reading[0].outcome.ok() && reading[0].image.value(row) == own;
        }
    };
    Tally one;
    Tally two;
    std::thread a(reads, first.devicePath(), 0x01, 0x0091u, std::ref(one));
    std::thread b(reads, second.devicePath(), 0x02, 0x0122u, std::ref(two));
    a.join();
    b.join();
    EXPECT_EQ(one.ok, kReads);
    EXPECT_EQ(one.right, kReads);
    EXPECT_EQ(two.ok, kReads);
    EXPECT_EQ(two.right, kReads);
}

}  // namespace
