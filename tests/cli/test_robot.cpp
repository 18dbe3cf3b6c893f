// A whole robot on one bus: --id lists, ranges and all on the commands that
// take them, one outcome per servo and a summary, --keep-going, the FLASH
// write of a staged file into three servos, and save, flash and diff that
// copy and compare settings between servos.
#include "tests/cli/cli_fixture.h"
#include "tests/cli/json_reader.h"

#include "link/registers.h"

#include <cstdio>

namespace {

class RobotTest : public CliTest {
protected:
    std::vector<int> servoIds() const override { return {0x01, 0x02, 0x05}; }

};

std::string value(const std::string& table, const std::string& name, int column)
{
    for (const std::string& line : linesOf(table)) {
        if (!line.starts_with(name + " "))
            continue;
        std::vector<std::string> words;
        for (std::size_t at = line.find_first_not_of(' '); at != std::string::npos;) {
            std::size_t end = std::min(line.find(' ', at), line.size());
            words.push_back(line.substr(at, end - at));
            at = line.find_first_not_of(' ', end);
        }
        return static_cast<std::size_t>(column + 2) < words.size() ? words[column + 2] : "";
    }
    return "";
}

TEST_F(RobotTest, TableShowsAColumnPerServoOfAListARangeOrAll)
{
    servo->setMemory(0x02, 0x20, {0x68, 0x07});
    servo->setMemory(0x05, 0x20, {0x10, 0x00});
    RunResult listed = runOnServo({"table", "--id", "1,2,5"});
    ASSERT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(linesOf(listed.out)[0], "Name     Address  ID 01       ID 02       ID 05");
    EXPECT_EQ(value(listed.out, "M_POS", 1), "0x03E8");
    EXPECT_EQ(value(listed.out, "M_POS", 2), "0x0010");

    RunResult all = runOnServo({"table", "--id", "all", "--json"});
    ASSERT_EQ(all.status, 0) << all.err;
    auto json = parseJson(all.out);
    ASSERT_TRUE(json) << all.out;
    const auto& servos = std::get<std::vector<JsonValue>>(json->value);
    ASSERT_EQ(servos.size(), 3u);
    std::vector<long long> ids;
    for (const JsonValue& s : servos) {
        const auto& object = std::get<std::map<std::string, JsonValue>>(s.value);
        ids.push_back(std::get<long long>(object.at("id").value));
        EXPECT_EQ(std::get<std::vector<JsonValue>>(object.at("registers").value).size(), 63u);
    }
    EXPECT_EQ(ids, (std::vector<long long>{1, 2, 5}));

    // ID 3 has no servo: the range fails, or shows the others with --keep-going.
    RunResult range = runOnServo({"table", "--id", "1-3"});
    EXPECT_EQ(range.status, 8);
    EXPECT_EQ(range.out, "");
    RunResult going = runOnServo({"table", "--id", "1-3", "--keep-going"});
    EXPECT_EQ(going.status, 8);
    EXPECT_EQ(linesOf(going.out)[0], "Name     Address  ID 01       ID 02");
}

TEST_F(RobotTest, SetTellsEachServosOutcomeAndStopsAtTheFirstFailureUnlessKeepGoing)
{
    RunResult stopped = runOnServo({"set", "M_POS", "123", "--id", "1,3,5"});
    EXPECT_EQ(stopped.status, 8);
    EXPECT_EQ(linesOf(stopped.out), std::vector<std::string>{"ID 01: M_POS 0x20 = 0x0123"});
    EXPECT_NE(stopped.err.find("ID 01: done\n"), std::string::npos) << stopped.err;
    EXPECT_NE(stopped.err.find("ID 03: failed (exit status 8)\n"), std::string::npos) << stopped.err;
    EXPECT_NE(stopped.err.find("1 of 3 servos done; failed: 03; not tried: 1"), std::string::npos) << stopped.err;
    EXPECT_NE(servo->memory(0x05)[0x20], 0x23);

    RunResult going = runOnServo({"set", "M_POS", "123", "--id", "1,3,5", "--keep-going"});
    EXPECT_EQ(going.status, 8);
    EXPECT_NE(going.err.find("2 of 3 servos done; failed: 03; not tried: 0"), std::string::npos) << going.err;
    EXPECT_EQ(servo->memory(0x05)[0x20], 0x23);

    RunResult every = runOnServo({"set", "PWM_EN", "1", "--id", "1-2,5"});
    EXPECT_EQ(every.status, 0) << every.err;
    EXPECT_NE(every.err.find("all 3 servos done"), std::string::npos) << every.err;
}

TEST_F(RobotTest, FlashClearsEveryServoAsksOnceThenWritesRestartsAndReadsBackEach)
{
    RunResult r = runOnServo({"flash", writeFile("arm.txt", "18 0x03E8\n33 0x05\n"), "--id", "1,2,5", "--no-backup"},
                             RunOptions().withInput("\n").onTerminal());
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("Settings cleared (IDs 01, 02, 05): Restart these ORVELINs and press Enter."),
              std::string::npos)
        << r.out;
    std::vector<std::string> expected;
    for (int id : {1, 2, 5}) {
        char probe[32];
        std::snprintf(probe, sizeof probe, "%02X 30 00", 0x80 | id);
        expected.push_back(probe);
    }
    for (int id : {1, 2, 5}) {
        char header[4];
        std::snprintf(header, sizeof header, "%02X", 0x80 | id);
        expected.push_back(std::string(header) + " 02 00 00 68 07 11");
        expected.push_back(std::string(header) + " 61 09 01");
    }
    for (int id : {1, 2, 5}) {
        char header[4];
        std::snprintf(header, sizeof header, "%02X", 0x80 | id);
        expected.push_back(std::string(header) + " 02 20 00 68 07 71");
        expected.push_back(std::string(header) + " 01 3A 00 05 41");
        expected.push_back(std::string(header) + " 61 09 01");
        for (int a = 0; a < 0x60; a += 0x10) {
            char block[16];
            std::snprintf(block, sizeof block, "%s 30 %02X", header, a);
            expected.push_back(block);
        }
    }
    std::vector<std::string> sent = packets(expected.size());
    ASSERT_EQ(sent.size(), expected.size());
    for (std::size_t k = 0; k < sent.size(); ++k)
        EXPECT_EQ(sent[k].substr(0, expected[k].size()), expected[k]) << k;
    for (int id : {1, 2, 5})
        EXPECT_EQ(servo->flashMemory(id)[0x3A], 0x05) << id;
    EXPECT_NE(r.out.find("all 3 servos done"), std::string::npos) << r.out;

    // A servo that does not answer clears none of them.
    servo->clearPackets();
    RunResult missing = runOnServo({"flash", pathOf("arm.txt"), "--id", "1,3", "--yes"});
    EXPECT_EQ(missing.status, 8);
    for (const std::string& packet : packets(2))
        EXPECT_EQ(packet.substr(2, 3), " 30") << packet;
}

TEST_F(RobotTest, SaveThenFlashCopiesOneServosSettingsAndDiffComparesThem)
{
    servo->setMemory(0x01, 0x32, {0x11, 0x22, 0x33, 0x44});  // FB_PG FB_DG FB_EG FB_IG
    servo->setMemory(0x01, 0x3B, {0x01, 0x55});              // PWM_EN PWM_LIM
    std::string file = pathOf("arm.txt");
    RunResult saved = runOnServo({"save", file, "--id", "1", "--registers", "FB_,PWM_"});
    ASSERT_EQ(saved.status, 0) << saved.err;

    RunResult before = runOnServo({"diff", "--id", "1", "--with", "2", "--registers", "FB_,PWM_"});
    EXPECT_EQ(before.status, 11);
    EXPECT_NE(before.out.find("FB_PG    0x32     0x"), std::string::npos) << before.out;
    EXPECT_EQ(runOnServo({"diff", file, "--id", "2"}).status, 11);

    RunResult copied = runOnServo({"flash", file, "--id", "2", "--yes"});
    ASSERT_EQ(copied.status, 0) << copied.err;
    RunResult after = runOnServo({"diff", "--id", "1", "--with", "2", "--registers", "FB_,PWM_", "--json"});
    EXPECT_EQ(after.status, 0) << after.err;
    EXPECT_EQ(after.out, "{\"reference\": \"02\", \"differences\": []}\n");
    EXPECT_EQ(runOnServo({"diff", file, "--id", "2"}).status, 0);

    // The whole robot against its first servo, in JSON.
    RunResult all = runOnServo({"diff", "--id", "1,2,5", "--registers", "FB_PG", "--json"});
    EXPECT_EQ(all.status, 11);
    auto json = parseJson(all.out);
    ASSERT_TRUE(json) << all.out;
    const auto& top = std::get<std::map<std::string, JsonValue>>(json->value);
    const auto& differences = std::get<std::vector<JsonValue>>(top.at("differences").value);
    ASSERT_EQ(differences.size(), 1u);
    const auto& values = std::get<std::map<std::string, JsonValue>>(
        std::get<std::map<std::string, JsonValue>>(differences[0].value).at("values").value);
    EXPECT_EQ(std::get<long long>(values.at("01").value), 0x11);
    EXPECT_EQ(std::get<long long>(values.at("02").value), 0x11);
    EXPECT_NE(std::get<long long>(values.at("05").value), 0x11);

    // A whole save carries the servo's ID, which flash gives to no other servo.
    RunResult whole = runOnServo({"save", pathOf("whole.txt"), "--id", "1"});
    ASSERT_EQ(whole.status, 0) << whole.err;
    RunResult refused = runOnServo({"flash", pathOf("whole.txt"), "--id", "2", "--yes"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("would give it to the servo with ID 02"), std::string::npos) << refused.err;
}

TEST_F(RobotTest, UpdateTakesEveryServoInTurnWithItsProgress)
{
    std::string bytes(100, '\x11');
    RunResult r = runOnServo({"update", writeFile("fw.upd", bytes), "--id", "all"}, RunOptions().onTerminal());
    ASSERT_EQ(r.status, 0) << r.out;
    for (const char* at : {"ID 01 (1 of 3)", "ID 02 (2 of 3)", "ID 05 (3 of 3)", "7/7 chunks", "all 3 servos done"})
        EXPECT_NE(r.out.find(at), std::string::npos) << at << "\n" << r.out;
    for (int id : {1, 2, 5}) {
        std::vector<uint8_t> image = servo->uploadImage(id);
        EXPECT_EQ(std::string(image.begin(), image.end()), bytes) << id;
    }

    RunResult watched = runOnServo({"watch", "M_POS", "--id", "1,5", "--csv", "--count", "2"});
    ASSERT_EQ(watched.status, 0) << watched.err;
    EXPECT_EQ(linesOf(watched.out)[0], "time_s,01:M_POS,05:M_POS");
    EXPECT_EQ(linesOf(watched.out).size(), 3u);
}

}  // namespace
