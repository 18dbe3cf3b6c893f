// A virtual servo on a pseudo-terminal, a private servoconf.ini and a
// scratch folder for each test, and orvelin run against them.
#pragma once

#include "tests/cli/orvelin_runner.h"
#include "tools/virtual_servo.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CliTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The IDs on the servo's bus; one servo, ID 3F, unless a test says otherwise.
    virtual std::vector<int> servoIds() const { return {0x3F}; }

    // orvelin with args, its own servoconf.ini, and --port naming the servo.
    RunResult runOnServo(std::vector<std::string> args, RunOptions options = {});
    // orvelin with args and its own servoconf.ini alone.
    RunResult run(std::vector<std::string> args, RunOptions options = {});

    // A file in the scratch folder.
    std::string writeFile(const std::string& name, const std::string& bytes);
    std::string pathOf(const std::string& name) const { return folder + "/" + name; }
    // The servo's port as the tests name it: a link of the test's own, gone
    // before the terminal closes, so a program still running after its
    // servo vanished never reaches the terminal the system hands out next.
    std::string port() const { return pathOf("servo-port"); }

    // The packets the servo received, as "BF 61 09 01" texts. Waits briefly
    // for at least atLeast of them: a packet that gets no reply may still be
    // on its way when the program has ended.
    std::vector<std::string> packets(std::size_t atLeast = 0);

    std::unique_ptr<VirtualServo> servo;
    std::string folder;
    std::string configFile;
};

// Lines of a text, without their line ends.
std::vector<std::string> linesOf(const std::string& text);
