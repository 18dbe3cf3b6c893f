// Where servoconf.ini is placed.
#include "settings/config_path.h"
#include "link/serial.h"
#include "settings/settings.h"
#include "tests/settings/settings_test.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

#ifdef _WIN32
TEST(ConfigPath, TheFileSitsBesideTheExecutable)
{
    char module[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, module, sizeof module), 0u);
    const auto expected = std::filesystem::path(module).replace_filename("servoconf.ini").string();

    char placed[kIniFileNameSize];
    ASSERT_TRUE(placeIniFile(placed, sizeof placed));
    EXPECT_EQ(placed, expected);

    char small[8];
    EXPECT_FALSE(placeIniFile(small, sizeof small));
    EXPECT_STREQ(small, "");
}
#else
// Sets or clears one environment variable for the length of a test.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        if (value != nullptr) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;
    ~ScopedVariable()
    {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(ConfigPath, TheEnvironmentCanNameTheFile)
{
    TempFolder folder;
    const auto path = folder.file("elsewhere.ini");
    ScopedVariable config("ORVELIN_CONFIG", path.c_str());

    readINI();
    EXPECT_STREQ(inifilename, path.c_str());
    // No COM1 to guess here: the port stays unset until someone names one.
    EXPECT_EQ(readFile(path), "[SERIAL]\nPORT=\nBAUDRATE=115200\n");
    EXPECT_STREQ(comPortName, "");
    EXPECT_EQ(baudRate, 115200);

    writeFile(path, "[SERIAL]\nPORT=/dev/ttyACM0\nBAUDRATE=230400\n");
    readINI();
    EXPECT_STREQ(comPortName, "/dev/ttyACM0");
    EXPECT_EQ(baudRate, 230400);
}

TEST(ConfigPath, WithoutTheVariableTheFileSitsBesideTheExecutable)
{
    ScopedVariable config("ORVELIN_CONFIG", nullptr);
    const auto program = std::filesystem::canonical("/proc/self/exe");
    const auto expected = program.parent_path().string() + "/servoconf.ini";

    char placed[kIniFileNameSize];
    ASSERT_TRUE(placeIniFile(placed, sizeof placed));
    EXPECT_EQ(placed, expected);

    ScopedVariable empty("ORVELIN_CONFIG", "");
    ASSERT_TRUE(placeIniFile(placed, sizeof placed));
    EXPECT_EQ(placed, expected);

    char small[8];
    EXPECT_FALSE(placeIniFile(small, sizeof small));
    EXPECT_STREQ(small, "");
}

TEST(ConfigPath, TheUserFileFollowsTheXdgConfigFolder)
{
    TempFolder folder;
    {
        const auto base = folder.file("config");
        ScopedVariable xdg("XDG_CONFIG_HOME", base.c_str());
        EXPECT_EQ(userIniFile(), base + "/orvelin/servoconf.ini");
        EXPECT_TRUE(std::filesystem::is_directory(base + "/orvelin"));
    }
    {
        const auto home = folder.file("home");
        ScopedVariable homeVariable("HOME", home.c_str());
        ScopedVariable relative("XDG_CONFIG_HOME", "relative/config");
        EXPECT_EQ(userIniFile(), home + "/.config/orvelin/servoconf.ini");
        EXPECT_TRUE(std::filesystem::is_directory(home + "/.config/orvelin"));
    }
    {
        ScopedVariable homeVariable("HOME", nullptr);
        ScopedVariable xdg("XDG_CONFIG_HOME", nullptr);
        EXPECT_EQ(userIniFile(), "");
    }
}
#endif

}  // namespace
