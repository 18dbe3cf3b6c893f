// orvelin ports on a device tree laid out like Linux's, and orvelin config
// keeping the two keys every command starts from.
#include "tests/cli/cli_fixture.h"

#include "link/serial.h"
#include "link/serial_devices.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

using PortsTest = CliTest;
using ConfigTest = CliTest;

void put(const fs::path& file, const std::string& text)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
}

TEST_F(PortsTest, ByIdNamesFirstThenAdaptersWithTheirLatency)
{
    fs::path dev = pathOf("dev");
    fs::path sys = pathOf("sys");
    for (const char* node : {"ttyS0", "ttyS1", "ttyACM0", "ttyUSB10", "ttyUSB2", "ttyUSB0", "tty0", "null"})
        put(dev / node, "");
    fs::create_directories(dev / "serial/by-id");
    fs::create_symlink("../../ttyUSB0", dev / "serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    put(sys / "bus/usb-serial/devices/ttyUSB0/latency_timer", "16\n");
    put(sys / "bus/usb-serial/devices/ttyUSB2/latency_timer", "1\n");
    put(sys / "class/tty/ttyS0/type", "0\n");  // a UART slot with no UART
    put(sys / "class/tty/ttyS1/type", "4\n");

    std::vector<SerialDevice> devices = listSerialDevices(dev.string(), sys.string());
    std::vector<std::string> paths;
    for (const SerialDevice& d : devices)
        paths.push_back(d.path);
    EXPECT_EQ(paths, (std::vector<std::string>{
                         (dev / "serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0").string(),
                         (dev / "ttyUSB0").string(), (dev / "ttyUSB2").string(), (dev / "ttyUSB10").string(),
                         (dev / "ttyACM0").string(), (dev / "ttyS1").string()}));
    ASSERT_EQ(devices.size(), 6u);
    EXPECT_EQ(devices[0].target, fs::canonical(dev / "ttyUSB0").string());
    ASSERT_TRUE(devices[0].latency);
    EXPECT_EQ(devices[0].latency->milliseconds, 16);
    EXPECT_EQ(devices[0].latency->file, (sys / "bus/usb-serial/devices/ttyUSB0/latency_timer").string());
    EXPECT_EQ(devices[2].latency->milliseconds, 1);
    EXPECT_FALSE(devices[3].latency);
    EXPECT_FALSE(devices[4].latency);
}

TEST_F(PortsTest, ListsThisMachinesDevices)
{
    RunResult r = run({"ports"});
    EXPECT_EQ(r.status, 0) << r.err;
    for (const std::string& line : linesOf(r.out))
        EXPECT_TRUE(line.starts_with("/dev/") || line.starts_with("    ")) << line;
    EXPECT_EQ(run({"ports", "extra"}).status, 2);
}

TEST_F(PortsTest, SaysWhetherThePortInForceTookLowLatency)
{
    const std::string refused = port() + " (the port in force): low latency: not supported by this driver";
    RunResult given = run({"ports", "--port", port()});
    EXPECT_EQ(given.status, 0) << given.err;
    EXPECT_EQ(linesOf(given.out).back(), refused);

    ASSERT_EQ(run({"config", "--port", port()}).status, 0);
    EXPECT_EQ(linesOf(run({"ports"}).out).back(), refused);
    // The port went back: the next command opens it.
    EXPECT_EQ(run({"term", "w 9 1"}).status, 0);

    RunResult missing = run({"ports", "--port", pathOf("ttyUSB9")});
    EXPECT_EQ(missing.status, 0);
    EXPECT_EQ(linesOf(missing.out).back(),
              pathOf("ttyUSB9") + " (the port in force): cannot be opened now, so its low latency is unknown");
    EXPECT_EQ(run({"ports", "--port", "COM3"}).status, 2);
}

TEST_F(ConfigTest, ShowsAndStoresThePortAndBaudRate)
{
    RunResult shown = run({"config"});
    EXPECT_EQ(shown.status, 0) << shown.err;
    // No COM1 to guess on this system: commands ask for a port until one is stored.
    EXPECT_EQ(shown.out, "configuration file: " + configFile + "\nPORT=\nBAUDRATE=115200\n");
    RunResult unset = run({"table"});
    EXPECT_EQ(unset.status, 2);
    EXPECT_NE(unset.err.find("no port configured: use --port DEVICE or orvelin config --port DEVICE"),
              std::string::npos)
        << unset.err;

    RunResult stored = run({"config", "--port", port(), "--baud", "57600"});
    EXPECT_EQ(stored.status, 0) << stored.err;
    EXPECT_EQ(stored.out,
              "configuration file: " + configFile + "\nPORT=" + port() + "\nBAUDRATE=57600\n");
    // Every command now starts from them.
    EXPECT_EQ(run({"term", "w 9 1"}).status, 0);
    EXPECT_EQ(packets(1), (std::vector<std::string>{"BF 61 09 01"}));

    // A by-id name is far longer than a COM port name and is kept whole.
    std::string byId = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
    EXPECT_EQ(run({"config", "--port", byId}).status, 0);
    EXPECT_NE(run({"config"}).out.find("PORT=" + byId + "\n"), std::string::npos);
}

TEST_F(ConfigTest, RefusesValuesNoCommandCouldUse)
{
    ASSERT_EQ(run({"config", "--port", port()}).status, 0);
    RunResult windowsName = run({"config", "--port", "COM3"});
    EXPECT_EQ(windowsName.status, 2);
    EXPECT_NE(windowsName.err.find("'COM3' is not a device path"), std::string::npos) << windowsName.err;
    EXPECT_EQ(run({"config", "--baud", "fast"}).status, 2);
    EXPECT_EQ(run({"config", "--baud", "0"}).status, 2);
    EXPECT_EQ(run({"config", "--id", "1"}).status, 2);
    EXPECT_NE(run({"config"}).out.find("PORT=" + port() + "\nBAUDRATE=115200\n"), std::string::npos);
}

}  // namespace

namespace {

using PortReasonTest = CliTest;

TEST_F(PortReasonTest, APortThatCannotBeOpenedIsReportedWithItsReason)
{
    struct Case {
        std::string port;
        std::string says;
    };
    const Case cases[] = {
        {pathOf("ttyUSB9"), "no such device ('orvelin ports' lists the serial devices)"},
        {folder, "not a serial port"},
        {"/dev/null", "not a serial port"},
        {writeFile("notes.txt", "not a tty\n"), "not a serial port"},
    };
    for (const Case& c : cases) {
        RunResult r = run({"table", "--port", c.port});
        EXPECT_EQ(r.status, 1) << c.port;
        EXPECT_NE(r.err.find("serial_open: cannot open " + c.port + " at 115200 baud: " + c.says), std::string::npos)
            << r.err;
    }
    // Another program holding the port.
    serial_handle held = serial_open(port().c_str(), 115200, kPortTimeoutMs);
    ASSERT_NE(held, SERIAL_INVALID);
    RunResult busy = runOnServo({"table"});
    serial_close(held);
    EXPECT_EQ(busy.status, 1);
    EXPECT_NE(busy.err.find(": busy: another program holds it"), std::string::npos) << busy.err;
    EXPECT_TRUE(packets().empty());
}

}  // namespace
