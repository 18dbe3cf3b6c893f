#include "tests/cli/cli_fixture.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

void CliTest::SetUp()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "orvelin-cli.XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder = pattern;
    configFile = pathOf("servoconf.ini");
    servo = std::make_unique<VirtualServo>(servoIds());
    ASSERT_TRUE(servo->start());
    ASSERT_EQ(servo->linkTo(port()), "");
}

void CliTest::TearDown()
{
    servo.reset();
    std::error_code error;
    std::filesystem::remove_all(folder, error);
}

RunResult CliTest::run(std::vector<std::string> args, RunOptions options)
{
    options.env.emplace_back("ORVELIN_CONFIG", configFile);
    // The backups clear and flash take stay in the scratch folder, not the user's.
    if (std::ranges::none_of(options.env, [](const auto& entry) { return entry.first == "XDG_STATE_HOME"; }))
        options.env.emplace_back("XDG_STATE_HOME", pathOf("state"));
    return runOrvelin(args, options);
}

RunResult CliTest::runOnServo(std::vector<std::string> args, RunOptions options)
{
    args.push_back("--port");
    args.push_back(port());
    return run(std::move(args), std::move(options));
}

std::string CliTest::writeFile(const std::string& name, const std::string& bytes)
{
    std::ofstream out(pathOf(name), std::ios::binary);
    out << bytes;
    return pathOf(name);
}

std::vector<std::string> CliTest::packets(std::size_t atLeast)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    std::vector<std::vector<uint8_t>> seen = servo->packets();
    while (seen.size() < atLeast && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        seen = servo->packets();
    }
    std::vector<std::string> texts;
    for (const auto& packet : seen)
        texts.push_back(hexBytes(packet));
    return texts;
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.ends_with('\r'))
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}
