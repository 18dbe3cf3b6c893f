// The bus layer against a bus of virtual servos through the real serial
// code: a round reads only the blocks asked for, and a surplus at its end
// fails every servo of it, since a reply shifted by a stray byte looks whole.
#include "link/registers.h"
#include "orvelin/reads.h"
#include "tools/virtual_servo.h"

#include <gtest/gtest.h>

namespace {

using namespace orvelin;

class BusTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(servo.start()); }

    VirtualServo servo{{0x01, 0x02, 0x05}};
};

constexpr int kMPosRow = registerRow("M_POS");  // in the block at 0x20

TEST_F(BusTest, ARoundReadsTheBlocksAskedAndASurplusFailsEveryServoOfIt)
{
    servo.setMemory(0x02, 0x20, {0x68, 0x07});
    Bus port(servo.devicePath(), 115200);
    ASSERT_TRUE(port.isOpen());
    std::vector<ServoImage> images;
    std::vector<Outcome> outcomes = readRound(port, {0x01, 0x02, 0x05}, BlockSet::forRows({kMPosRow}), images);
    ASSERT_EQ(outcomes.size(), 3u);
    for (const Outcome& outcome : outcomes)
        EXPECT_TRUE(outcome.ok()) << outcome.id;
    EXPECT_EQ(images[1].id, 0x02);
    EXPECT_EQ(images[1].value(kMPosRow), 0x3E8u);
    std::vector<std::vector<uint8_t>> sent = servo.packets();
    ASSERT_EQ(sent.size(), 3u);
    for (const auto& packet : sent)
        EXPECT_EQ(packet[2], 0x20);

    ASSERT_TRUE(servo.control("stray 2"));
    outcomes = readRound(port, {0x01, 0x02, 0x05}, BlockSet::forRows({kMPosRow}), images);
    for (const Outcome& outcome : outcomes)
        EXPECT_EQ(outcome.status, Status::StrayBytes) << outcome.id;
}

}  // namespace
