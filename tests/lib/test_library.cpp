// What scripts get from the library beyond the bus layer's reads and
// writes: a round of named registers, the clear that needs its backup
// first, FLASH value files loaded strictly, and comparisons.
#include "orvelin/backups.h"
#include "orvelin/diff.h"
#include "orvelin/value_files.h"
#include "orvelin/writes.h"
#include "tests/support/temp_folder.h"
#include "tools/virtual_servo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using namespace orvelin;

const int kMPos = *findRegister("M_POS");
const int kSysPn = *findRegister("SYS_PN");

TEST(LibraryTest, ARoundOfRegistersGivesEachServoItsOwnReading)
{
    VirtualServo servo({0x01, 0x02});
    ASSERT_TRUE(servo.start());
    servo.setMemory(0x02, 0x20, {0x68, 0x07});
    Bus bus(servo.devicePath(), 115200);
    std::vector<Reading> readings = readRegisters(bus, {0x01, 0x02, 0x07}, {kMPos});
    ASSERT_EQ(readings.size(), 3u);
    EXPECT_TRUE(readings[0].outcome.ok());
    EXPECT_EQ(readings[1].image.value(kMPos), 0x3E8u);
    EXPECT_EQ(readings[2].outcome.status, Status::NoReply);
    EXPECT_EQ(readings[2].outcome.id, 0x07);
}

TEST(LibraryTest, NoBackupMeansNoClear)
{
    VirtualServo servo;
    ASSERT_TRUE(servo.start());
    TempFolder folder;
    std::ofstream(folder.file("file")) << "a file where the folder would go";
    Bus bus(servo.devicePath(), 115200);

    BackedUpClear clear = clearWithBackup(bus, 0x3F, folder.file("file") + "/backups");
    EXPECT_FALSE(clear.ok());
    EXPECT_EQ(clear.backup.failure, BackupFailure::FolderNotMade);
    EXPECT_TRUE(servo.packets().empty());

    ASSERT_TRUE(servo.control("silent 1"));
    clear = clearWithBackup(bus, 0x3F, folder.file("backups"));
    EXPECT_EQ(clear.backup.failure, BackupFailure::ServoNotRead);
    EXPECT_EQ(clear.outcome.status, Status::NoReply);
    for (const auto& packet : servo.packets())
        EXPECT_EQ(packet[1], 0x30) << "only reads: " << hexBytes(packet);

    ASSERT_TRUE(servo.control("silent 0"));
    servo.clearPackets();
    clear = clearWithBackup(bus, 0x3F, folder.file("backups"));
    ASSERT_TRUE(clear.ok());
    EXPECT_TRUE(std::filesystem::is_regular_file(clear.backup.path));
    ValueFile saved = loadValueFile(clear.backup.path);
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(saved.values[static_cast<std::size_t>(kSysPn)], clear.backup.image.value(kSysPn));
    EXPECT_EQ(servo.packets().size(), 6u + 2u);  // the six blocks, then the clear and the restart request
}

TEST(LibraryTest, AValueFileIsRefusedWholeWithTheLineAtFault)
{
    ValueFile file = parseValueFile("18 0x03e8\r\n\n1 0x7F\n");
    ASSERT_TRUE(file.ok());
    EXPECT_EQ(file.values[18], 0x3E8u);
    EXPECT_EQ(file.texts[18], "0x03e8");
    EXPECT_FALSE(file.values[2]);

    file = parseValueFile("18 0x03E8\n\n18 0x0001\n");
    EXPECT_EQ(file.problem, ValueFileProblem::RowTwice);
    EXPECT_EQ(file.line, 3);
    EXPECT_EQ(file.firstLine, 1);
    EXPECT_FALSE(file.values[18]);

    file = parseValueFile("3 0x80\n");  // SYS_SID: one byte of 7 bits
    EXPECT_EQ(file.problem, ValueFileProblem::TooWide);
    EXPECT_EQ(file.text, "0x80");
    EXPECT_EQ(file.row, 3);
    EXPECT_EQ(parseValueFile("63 0x01").problem, ValueFileProblem::BadRow);
    EXPECT_EQ(parseValueFile("1 0x").problem, ValueFileProblem::BadValue);
    EXPECT_EQ(parseValueFile("1 0x01 2").problem, ValueFileProblem::NotRowValue);
    EXPECT_EQ(parseValueFile("\r\n\n").problem, ValueFileProblem::NoValue);
    TempFolder folder;
    EXPECT_EQ(loadValueFile(folder.path()).problem, ValueFileProblem::NotPlainFile);
    EXPECT_EQ(loadValueFile(folder.file("none")).problem, ValueFileProblem::CannotOpen);
}

TEST(LibraryTest, AFileIsComparedOnlyWhereItStagesAValue)
{
    ServoImage a;
    ServoImage b;
    b.bytes[0x20] = 0x01;                                      // M_POS 1
    StagedValues file = parseValueFile("18 0x0001\n").values;  // M_POS 1 alone
    std::vector<StagedValues> servos = {valuesOf(a, everyRow()), valuesOf(b, everyRow())};
    EXPECT_EQ(differingRows(servos[0], std::span(servos).subspan(1), everyRow()), std::vector<int>{kMPos});
    std::vector<int> fileDiffers = differingRows(file, servos, everyRow());
    EXPECT_EQ(fileDiffers, std::vector<int>{kMPos});
    EXPECT_TRUE(differingRows(servos[0], std::span(servos).subspan(1), {0, 1}).empty());
}

}  // namespace
