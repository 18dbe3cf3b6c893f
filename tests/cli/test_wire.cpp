// --wire: the packet monitor shows exactly the bytes the servo received and
// the replies, with millisecond timestamps, on every subcommand.
#include "tests/cli/cli_fixture.h"

#include <regex>

namespace {

using WireTest = CliTest;

struct WireLog {
    std::vector<std::string> sent;
    std::vector<std::string> received;
    std::vector<std::string> notes;
    std::vector<std::string> ports;  // "port /dev/pts/3, low latency: ..." notes
    bool wellFormed = true;
};

WireLog readWireLog(const std::string& err)
{
    static const std::regex line(R"(^ *\d+\.\d{3} ms (->|<-) (.*)$)");
    static const std::regex port(R"(^ *\d+\.\d{3} ms (port .*)$)");
    WireLog log;
    for (const std::string& text : linesOf(err)) {
        std::smatch m;
        if (std::regex_match(text, m, port)) {
            log.ports.push_back(m[1]);
            continue;
        }
        if (text.starts_with("orvelin: ")) {
            log.notes.push_back(text);
            continue;
        }
        if (!std::regex_match(text, m, line)) {
            log.wellFormed = false;
            continue;
        }
        (m[1] == "->" ? log.sent : log.received).push_back(m[2]);
    }
    return log;
}

TEST_F(WireTest, LogMatchesTheBytesTheServoReceived)
{
    RunResult r = runOnServo({"term", "--wire", "w 2c 12345", "f 0 3e8", "b 1 2", "R"});
    ASSERT_EQ(r.status, 0) << r.err;
    WireLog log = readWireLog(r.err);
    EXPECT_TRUE(log.wellFormed) << r.err;
    EXPECT_EQ(log.sent, packets(log.sent.size()));
    // The RAM write's echo, the FLASH write's acceptance, nothing from the
    // IDs 1 and 2 that no servo has, the six blocks of the read, and the
    // drain's empty read that ends it.
    ASSERT_EQ(log.received.size(), 11u) << r.err;
    EXPECT_EQ(log.received[0], "45 46 04 00");
    EXPECT_EQ(log.received[1], "00");
    EXPECT_EQ(log.received[2], "(nothing)");
    EXPECT_EQ(log.received[3], "(nothing)");
    EXPECT_EQ(log.received[4].size(), 16u * 3 - 1);
    EXPECT_EQ(log.received[10], "(nothing)");
    EXPECT_EQ(log.notes, (std::vector<std::string>{"orvelin: note: 'b 1 2': no reply from the ORVELIN with ID 01",
                                                   "orvelin: note: 'b 1 2': no reply from the ORVELIN with ID 02"}));
    // Four lines open the port four times; the note comes once.
    EXPECT_EQ(log.ports, (std::vector<std::string>{"port " + port() +
                                                   ", low latency: not supported by this driver"}));
    // The trace still goes to stdout, unchanged.
    EXPECT_NE(r.out.find("00002c 12345 4\n"), std::string::npos);
}

TEST_F(WireTest, EverySubcommandThatTalksToTheServoHasIt)
{
    const std::vector<std::vector<std::string>> commands{
        {"table", "--wire"},
        {"--wire", "set", "PWM_EN", "1"},
        {"scan", "--ids", "3F", "--wire"},
        {"watch", "M_POS", "--count", "1", "--wire"},
        {"clear", "--yes", "--wire"},
    };
    for (const auto& command : commands) {
        servo->clearPackets();
        RunResult r = runOnServo(command);
        EXPECT_EQ(r.status, 0) << r.err;
        WireLog log = readWireLog(r.err);
        ASSERT_FALSE(log.sent.empty()) << r.err;
        EXPECT_EQ(log.sent, packets(log.sent.size())) << command[0];
        EXPECT_FALSE(log.received.empty());
        EXPECT_EQ(log.ports.size(), 1u) << r.err;
    }
}

}  // namespace

namespace {

TEST_F(WireTest, OnASharedTerminalEveryPacketLineStandsAlone)
{
    RunResult r = runOnServo({"term", "--wire", "R"}, RunOptions().onTerminal());
    EXPECT_EQ(r.status, 0) << r.out;
    static const std::regex packet(R"(^ *\d+\.\d{3} ms (->|<-) .*$)");
    int packets = 0;
    for (const std::string& line : linesOf(r.out)) {
        if (line.find(" ms -> ") == std::string::npos && line.find(" ms <- ") == std::string::npos)
            continue;
        ++packets;
        EXPECT_TRUE(std::regex_match(line, packet)) << line;
    }
    EXPECT_GE(packets, 13);
    // The trace around them is all there: its six blocks and the named values.
    std::size_t blocks = 0;
    for (std::size_t at = r.out.find("(w:19)"); at != std::string::npos; at = r.out.find("(w:19)", at + 1))
        ++blocks;
    EXPECT_EQ(blocks, 6u);
    EXPECT_NE(r.out.find("20:M_POS  ="), std::string::npos) << r.out;
}

}  // namespace
