// An adapter that returns every byte it sends: each command's echo is
// skipped, so its trace is the one a plain adapter gives, and a silent
// servo stays silent.
#include "tests/link/link_test.h"
#include "tests/support/temp_folder.h"

#include <fstream>

namespace {

std::string traceOf(std::initializer_list<const char*> lines)
{
    std::string all;
    for (const char* line : lines) {
        TermResult r = runTerm(line);
        all += r.trace + (r.result == 0 ? "" : "(failed)");
    }
    return all;
}

TEST_F(LinkTest, AnEchoingAdapterLeavesEveryTraceAsAPlainOneGivesIt)
{
    TempFolder folder;
    std::ofstream(folder.file("fw.upd"), std::ios::binary) << std::string(20, '\x11');
    const std::string upload = "u " + folder.file("fw.upd");
    // The position write leaves the shaft where it is, so nothing moves between the two runs.
    auto lines = {"w 20 3e8", "f 20 3e8", "b 3f 3f 3e8 0", "R", upload.c_str(), "w 9 1"};

    const std::string plain = traceOf(lines);
    servo.control("echo 1");
    EXPECT_EQ(traceOf(lines), plain);
    servo.control("silent 1");
    const std::string silentEcho = traceOf({"w 9 1", "f 0 3e8", "R"});
    servo.control("echo 0");
    EXPECT_EQ(silentEcho, traceOf({"w 9 1", "f 0 3e8", "R"}));
}

}  // namespace
