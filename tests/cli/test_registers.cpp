// orvelin table and orvelin set: the register memory as the window shows it,
// for people and for scripts, and RAM writes by name or address.
#include "tests/cli/cli_fixture.h"
#include "tests/cli/json_reader.h"

#include "link/registers.h"

#include <cstdio>

namespace {

using RegistersTest = CliTest;

// The window's texts for row r of a 96-byte memory.
std::string expectedRow(const std::vector<uint8_t>& memory, int r)
{
    const ParamDef& def = paramtbl[r];
    char line[64];
    char value[16];
    formatValueText(value, sizeof value, decodeGroups(&memory[def.address], def.size), def.size);
    std::snprintf(line, sizeof line, "%-8s 0x%02X     %s", def.name, def.address, value);
    return line;
}

TEST_F(RegistersTest, TableShowsEveryRegisterWithTheWindowsTexts)
{
    servo->setMemory(0x3F, 0x2C, {0x45, 0x46, 0x04, 0x00});
    RunResult r = runOnServo({"table"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> lines = linesOf(r.out);
    ASSERT_EQ(lines.size(), 1u + kParamRows);
    EXPECT_EQ(lines[0], "Name     Address  RAM");
    std::vector<uint8_t> memory = servo->memory(0x3F);
    for (int row = 0; row < kParamRows; ++row)
        EXPECT_EQ(lines[1 + row], expectedRow(memory, row));
    EXPECT_EQ(lines[1 + 24], "M_ENC    0x2C     0x00012345");
    // Six read blocks and nothing else: the trace stays out of the way.
    EXPECT_EQ(packets(6).size(), 6u);
    EXPECT_EQ(r.out.find("(w:"), std::string::npos);
}

TEST_F(RegistersTest, TableJsonParsesBack)
{
    RunResult r = runOnServo({"table", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto json = parseJson(r.out);
    ASSERT_TRUE(json) << r.out;
    const auto& rows = std::get<std::vector<JsonValue>>(json->value);
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(kParamRows));
    std::vector<uint8_t> memory = servo->memory(0x3F);
    for (int row = 0; row < kParamRows; ++row) {
        const auto& object = std::get<std::map<std::string, JsonValue>>(rows[row].value);
        const ParamDef& def = paramtbl[row];
        EXPECT_EQ(std::get<std::string>(object.at("name").value), def.name);
        EXPECT_EQ(std::get<long long>(object.at("address").value), def.address);
        EXPECT_EQ(std::get<long long>(object.at("size").value), def.size);
        EXPECT_EQ(std::get<long long>(object.at("value").value), decodeGroups(&memory[def.address], def.size));
    }
}

TEST_F(RegistersTest, ValuesOfAShortOrNoisyReplyAreNotShown)
{
    ASSERT_TRUE(servo->control("short 10"));
    RunResult shortReply = runOnServo({"table"});
    EXPECT_EQ(shortReply.status, 9);
    EXPECT_NE(shortReply.err.find("only 60 of the 96 register bytes came"), std::string::npos) << shortReply.err;
    EXPECT_EQ(shortReply.out, "");
    EXPECT_EQ(runOnServo({"set", "M_POS", "100"}).status, 9);

    ASSERT_TRUE(servo->control("short -1"));
    ASSERT_TRUE(servo->control("stray 3"));
    RunResult noisy = runOnServo({"table", "--json"});
    EXPECT_EQ(noisy.status, 9);
    EXPECT_NE(noisy.err.find("stray bytes followed the reply"), std::string::npos) << noisy.err;
    EXPECT_EQ(noisy.out, "");
    ASSERT_TRUE(servo->control("stray 0"));

    ASSERT_TRUE(servo->control("silent 1"));
    RunResult silent = runOnServo({"table", "--id", "5"});
    EXPECT_EQ(silent.status, 8);
    EXPECT_NE(silent.err.find("no answer from the ORVELIN with ID 05"), std::string::npos) << silent.err;
    EXPECT_EQ(runOnServo({"set", "M_POS", "100"}).status, 8);
}

TEST_F(RegistersTest, SetWritesByNameOrAddressAndReadsBack)
{
    RunResult r = runOnServo({"set", "m_pos", "0x3E8"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "M_POS 0x20 = 0x03E8\n");
    std::vector<std::string> sent = packets(7);
    ASSERT_EQ(sent.size(), 7u);
    EXPECT_EQ(sent[0], "BF 62 20 68 07");
    EXPECT_EQ(sent[1].substr(0, 8), "BF 30 00");
    EXPECT_EQ(servo->memory(0x3F)[0x20], 0x68);

    RunResult byAddress = runOnServo({"set", "0x3B", "1", "--id", "3f"});
    EXPECT_EQ(byAddress.status, 0) << byAddress.err;
    EXPECT_EQ(byAddress.out, "PWM_EN 0x3B = 0x01\n");
    EXPECT_EQ(servo->memory(0x3F)[0x3B], 0x01);

    // A servo that does not keep the value: the write failed, whatever it answered.
    ASSERT_TRUE(servo->control("locked 1"));
    RunResult kept = runOnServo({"set", "M_POS", "123"});
    EXPECT_EQ(kept.status, 10);
    EXPECT_NE(kept.err.find("M_POS was written with 0x0123 but reads back 0x03E8"), std::string::npos) << kept.err;
}

TEST_F(RegistersTest, SetRefusesWhatCannotBeWritten)
{
    struct Case {
        std::vector<std::string> args;
        std::string says;
    };
    const Case cases[] = {
        {{"set", "M_FOO", "1"}, "'M_FOO' is not a register name or address"},
        {{"set", "0x2D", "1"}, "no register starts at address 0x2D"},
        {{"set", "M_POS", "3G8"}, "'3G8' is not a hexadecimal value"},
        {{"set", "M_POS", "4000"}, "4000 is too wide for M_POS: 2 bytes of 7 bits hold 0 to 0x3FFF"},
        {{"set", "PWM_EN", "0x80"}, "0x80 is too wide for PWM_EN"},
        {{"set", "M_ENC", "100000000"}, "'100000000' is out of range"},
        {{"set", "0x15", "1"}, "no register starts at address 0x15"},
        {{"set", "M_POS"}, "missing REGISTER VALUE"},
    };
    for (const Case& c : cases) {
        RunResult r = runOnServo(c.args);
        EXPECT_EQ(r.status, 2) << c.args[1];
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("orvelin set --help"), std::string::npos) << r.err;
    }
    EXPECT_TRUE(packets().empty());
}

}  // namespace
