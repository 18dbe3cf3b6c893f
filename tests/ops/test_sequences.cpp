// The operations' command lines on the wire, in order, with the operator's
// confirmation where the servo must restart, and how each one ends.
#include "link/lasterror.h"
#include "link/registers.h"
#include "link/serial.h"
#include "tests/support/servo_link.h"
#include "ops/servo_operations.h"
#include "link/term.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

const std::string kClear = "BF 02 00 00 68 07 11";
const std::string kRestartPacket = "BF 61 09 01";
const std::string kUnlockPacket = "BF 61 14 6A";

class Sequences : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(servo.attach());
        SendID = 0x3F;
        traceOut = std::tmpfile();
    }
    void TearDown() override
    {
        std::fclose(traceOut);
        traceOut = stdout;
        set_port_failure(PortFailure::Exit);
    }

    ServoLink servo;
};

TEST_F(Sequences, FlashWriteClearsWaitsForTheRestartThenWritesTheStagedCells)
{
    std::vector<std::string> cells(kParamRows);
    cells[18] = "0x03E8";
    cells[4] = "0x01";
    cells[33] = "0x05";
    cells[0] = "1234";
    cells[2] = "0x";
    std::size_t sentWhenAsked = 0;
    auto end = writeFlash(
        term, [&](int row) { return cells[static_cast<std::size_t>(row)]; },
        [&] {
            sentWhenAsked = servo.packets(2).size();
            return true;
        });
    EXPECT_EQ(end, OperationEnd::Done);
    EXPECT_EQ(sentWhenAsked, 2u);
    EXPECT_EQ(servo.packets(7), (std::vector<std::string>{kClear, kRestartPacket, "BF 02 00 00 34 00 4C", "BF 01 09 00 01 76",
                                                          "BF 02 20 00 68 07 71", "BF 01 3A 00 05 41", kRestartPacket}));

    servo.mark();
    EXPECT_EQ(writeFlash(
                  term, [&](int row) { return cells[static_cast<std::size_t>(row)]; }, [] { return false; }),
              OperationEnd::NotConfirmed);
    // The fixed packet marks the end: nothing came between it and the clear.
    char fixed[32] = "s";
    term(fixed);
    EXPECT_EQ(servo.packets(3), (std::vector<std::string>{kClear, kRestartPacket, "BF 41 4F 01"}));
}

TEST_F(Sequences, UpdateUnlocksUploadsAndRestartsOnlyWhenEveryChunkWasTaken)
{
    TempFile image({0x01, 0x02, 0x03});
    EXPECT_EQ(updateFirmware(term, image.path()), UpdateOutcome::Written);
    EXPECT_EQ(servo.packets(3), (std::vector<std::string>{kUnlockPacket, "BF 03 00 20 01 02 03 5A", kRestartPacket}));

    servo.mark();
    servo.control("reject 5");
    EXPECT_EQ(updateFirmware(term, image.path()), UpdateOutcome::Rejected);
    EXPECT_EQ(servo.packets(6).size(), 6u);
    EXPECT_NE(servo.packets().back(), kRestartPacket);

    servo.mark();
    EXPECT_EQ(updateFirmware(term, std::string(256, 'a')), UpdateOutcome::FileCannotOpen);
    EXPECT_EQ(updateFirmware(term, image.path() + ".missing"), UpdateOutcome::FileCannotOpen);
    EXPECT_EQ(servo.packets(1), std::vector<std::string>{kUnlockPacket});
}

TEST_F(Sequences, AReportedPortFailureEndsTheOperationWithNothingMoreTried)
{
    set_port_failure(PortFailure::Report);
    std::snprintf(comPortName, sizeof comPortName, "%s.gone", servo.portName().c_str());
    bool asked = false;
    EXPECT_EQ(clearSettings(term, [&] { return asked = true; }), OperationEnd::PortFailed);
    EXPECT_FALSE(asked);
    EXPECT_EQ(updateFirmware(term, "/nonexistent.upd"), UpdateOutcome::PortFailed);
    char line[32] = "R";
    EXPECT_EQ(term(line), -1);
    EXPECT_EQ(GetLastError(), kPortOpenFailed);
    EXPECT_TRUE(servo.packets().empty());
}

}  // namespace
