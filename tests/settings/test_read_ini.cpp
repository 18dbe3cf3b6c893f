// Start-up reading of servoconf.ini into the port settings in force, through
// the platform's private-profile functions.
#include "link/serial.h"
#include "settings/settings.h"
#include "tests/settings/settings_test.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

std::string device(std::string_view port)
{
    return std::string(kDevicePrefix) + std::string(port);
}

class ReadIni : public ::testing::Test {
protected:
    // Each file has its own name: Wine keeps INI files it has read cached.
    std::string fileWith(std::string_view bytes)
    {
        const auto path = folder.file("servoconf" + std::to_string(++files_) + ".ini");
        writeFile(path, bytes);
        return path;
    }

    std::string settingsFrom(std::string_view bytes)
    {
        const auto path = fileWith(bytes);
        readINIFrom(path.c_str());
        return path;
    }

    TempFolder folder;

private:
    int files_ = 0;
};

TEST_F(ReadIni, NoFileIsCreatedWithTheThreeLines)
{
    const auto path = folder.file("servoconf.ini");
    readINIFrom(path.c_str());
    EXPECT_STREQ(inifilename, path.c_str());
    EXPECT_EQ(readFile(path), "[SERIAL]" + std::string(kNewLine) + "PORT=" + kDefaultPort + std::string(kNewLine) +
                                  "BAUDRATE=115200" + std::string(kNewLine));
    EXPECT_STREQ(comPortNameBuff, kDefaultPort);
    EXPECT_EQ(comPortName, device(kDefaultPort));
    EXPECT_EQ(baudRate, 115200);
}

TEST_F(ReadIni, AMissingBaudRateIsTheOnlyLineAdded)
{
    const auto path = settingsFrom("[SERIAL]\r\nPORT=COM7\r\n");
    EXPECT_EQ(readFile(path), "[SERIAL]\r\nPORT=COM7\r\nBAUDRATE=115200\r\n");
    EXPECT_STREQ(comPortNameBuff, "COM7");
    EXPECT_EQ(comPortName, device("COM7"));
    EXPECT_EQ(baudRate, 115200);
}

TEST_F(ReadIni, APresentFileIsReadAndLeftAlone)
{
    const std::string text = "[SERIAL]\r\nPORT=COM5\r\nBAUDRATE=57600\r\n";
    const auto path = settingsFrom(text);
    EXPECT_EQ(readFile(path), text);
    EXPECT_STREQ(comPortNameBuff, "COM5");
    EXPECT_EQ(comPortName, device("COM5"));
    EXPECT_EQ(baudRate, 57600);
}

TEST_F(ReadIni, BaudRateIsReadAsAtoiReadsIt)
{
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"abc", 0}, {"", 0}, {"  -12x", -12}, {"+300", 300}, {"9600baud", 9600}, {"99999999999", INT_MAX},
    };
    for (const auto& c : cases) {
        settingsFrom(std::string("[SERIAL]\r\nPORT=COM1\r\nBAUDRATE=") + c.text + "\r\n");
        EXPECT_EQ(baudRate, c.value) << c.text;
    }
}

TEST_F(ReadIni, LongValuesAreCutTo15Characters)
{
    settingsFrom("[SERIAL]\r\nPORT=COM1\r\nBAUDRATE=000000000000115200\r\n");
    EXPECT_EQ(baudRate, 115);
}

TEST_F(ReadIni, TheLiteralSentinelIsReplacedByTheDefault)
{
    const auto path = settingsFrom("[SERIAL]\r\nPORT=FAIL\r\nBAUDRATE=FAIL\r\n");
    EXPECT_EQ(readFile(path), std::string("[SERIAL]\r\nPORT=") + kDefaultPort + "\r\nBAUDRATE=115200\r\n");
    EXPECT_STREQ(comPortNameBuff, kDefaultPort);
    EXPECT_EQ(baudRate, 115200);

    settingsFrom("[SERIAL]\r\nPORT=fail\r\nBAUDRATE=9600\r\n");
    EXPECT_STREQ(comPortNameBuff, "fail");
}

TEST_F(ReadIni, AnEmptyPortIsAnEmptyName)
{
    const auto path = settingsFrom("[SERIAL]\r\nPORT=\r\nBAUDRATE=\r\n");
    EXPECT_EQ(readFile(path), "[SERIAL]\r\nPORT=\r\nBAUDRATE=\r\n");
    EXPECT_STREQ(comPortNameBuff, "");
    EXPECT_EQ(comPortName, device(""));
    EXPECT_EQ(baudRate, 0);
}

#ifdef _WIN32
TEST_F(ReadIni, APortNameTooLongForTheDevicePathIsNoPort)
{
    settingsFrom("[SERIAL]\r\nPORT=COM12345678\r\n");
    EXPECT_STREQ(comPortName, "\\\\.\\COM12345678");

    settingsFrom("[SERIAL]\r\nPORT=COM123456789\r\n");
    EXPECT_STREQ(comPortName, "");
    EXPECT_STREQ(comPortNameBuff, "COM123456789");

    settingsFrom("[SERIAL]\r\nPORT=COM1234567890ABCDEF\r\n");
    EXPECT_STREQ(comPortName, "");
    EXPECT_STREQ(comPortNameBuff, "COM1234567890AB");
}
#else
TEST_F(ReadIni, PortIsADevicePathUsedAsItIs)
{
    const std::string byId = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
    settingsFrom("[SERIAL]\r\nPORT=" + byId + "\r\n");
    EXPECT_EQ(comPortName, byId);
    EXPECT_STREQ(comPortNameBuff, "");

    settingsFrom("[SERIAL]\r\nPORT=/dev/ttyUSB0\r\n");
    EXPECT_STREQ(comPortName, "/dev/ttyUSB0");
    EXPECT_STREQ(comPortNameBuff, "/dev/ttyUSB0");
}

TEST_F(ReadIni, APathTooLongForTheDevicePathIsNoPort)
{
    const std::string longest = "/dev/" + std::string(kComPortNameSize - 6, 'x');
    settingsFrom("[SERIAL]\r\nPORT=" + longest + "\r\n");
    EXPECT_EQ(comPortName, longest);

    settingsFrom("[SERIAL]\r\nPORT=" + longest + "y\r\n");
    EXPECT_STREQ(comPortName, "");
    settingsFrom("[SERIAL]\r\nPORT=" + longest + std::string(1000, 'y') + "\r\n");
    EXPECT_STREQ(comPortName, "");
}
#endif

TEST_F(ReadIni, WithoutAWritableFileTheDefaultsStillHold)
{
    const auto blocker = fileWith("not a folder");
    const auto path = blocker + "/servoconf.ini";
    readINIFrom(path.c_str());
    EXPECT_STREQ(comPortNameBuff, kDefaultPort);
    EXPECT_EQ(comPortName, device(kDefaultPort));
    EXPECT_EQ(baudRate, 115200);
    EXPECT_EQ(readFile(blocker), "not a folder");

    const auto tooLong = folder.file(std::string(kIniFileNameSize, 'n') + ".ini");
    baudRate = 0;
    readINIFrom(tooLong.c_str());
    EXPECT_STREQ(inifilename, "");
    EXPECT_STREQ(comPortNameBuff, kDefaultPort);
    EXPECT_EQ(baudRate, 115200);
}

}  // namespace
