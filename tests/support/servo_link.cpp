#include "tests/support/servo_link.h"

#include "link/lasterror.h"
#include "link/serial.h"
#include "link/term.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <sstream>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include "tests/support/temp_folder.h"
#include "tools/virtual_servo.h"
#endif

#ifdef _WIN32

struct ServoLink::Impl {
    std::string port;
    std::string controlPath;
    std::string logPath;
    std::size_t markLine = 0;

    std::vector<std::string> logLines() const
    {
        std::vector<std::string> lines;
        std::ifstream in(logPath);
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }
};

ServoLink::ServoLink() : impl(new Impl) {}
ServoLink::~ServoLink()
{
    delete impl;
}

bool ServoLink::attach()
{
    const char* port = std::getenv("ORVELIN_TEST_PORT");
    const char* control = std::getenv("ORVELIN_SERVO_CONTROL");
    const char* log = std::getenv("ORVELIN_SERVO_LOG");
    if (port == nullptr || control == nullptr || log == nullptr)
        return false;
    impl->port = port;
    impl->controlPath = control;
    impl->logPath = log;
    std::snprintf(comPortName, sizeof comPortName, "\\\\.\\%s", port);
    baudRate = 115200;
    this->control("reset");
    mark();
    return true;
}

void ServoLink::control(const std::string& line)
{
    std::ofstream out(impl->controlPath, std::ios::app | std::ios::binary);
    out << line << '\n';
}

void ServoLink::mark()
{
    impl->markLine = impl->logLines().size();
}

std::vector<std::string> ServoLink::packets(std::size_t atLeast)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    for (;;) {
        auto lines = impl->logLines();
        std::vector<std::string> fresh;
        if (lines.size() > impl->markLine)
            fresh.assign(lines.begin() + static_cast<std::ptrdiff_t>(impl->markLine), lines.end());
        if (fresh.size() >= atLeast || std::chrono::steady_clock::now() > deadline)
            return fresh;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

std::chrono::microseconds ServoLink::lag() const
{
    return std::chrono::microseconds::zero();
}

std::string ServoLink::portName() const
{
    return impl->port;
}

#else

struct ServoLink::Impl {
    VirtualServo servo;
    // The link goes before the terminal closes: a test whose servo vanished
    // never reaches the terminal the system hands another test next.
    TempFolder folder;
    std::size_t mark = 0;
};

ServoLink::ServoLink() : impl(new Impl) {}
ServoLink::~ServoLink()
{
    delete impl;
}

bool ServoLink::attach()
{
    const std::string port = impl->folder.file("servo-port");
    if (!impl->servo.start() || !impl->servo.linkTo(port).empty())
        return false;
    std::snprintf(comPortName, sizeof comPortName, "%s", port.c_str());
    baudRate = 115200;
    return true;
}

void ServoLink::control(const std::string& line)
{
    impl->servo.control(line);
}

void ServoLink::mark()
{
    impl->mark = impl->servo.packets().size();
    impl->servo.clearLag();
}

std::chrono::microseconds ServoLink::lag() const
{
    return impl->servo.worstLag();
}

std::vector<std::string> ServoLink::packets(std::size_t atLeast)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    for (;;) {
        auto all = impl->servo.packets();
        std::vector<std::string> fresh;
        for (std::size_t k = impl->mark; k < all.size(); ++k)
            fresh.push_back(hexBytes(all[k]));
        if (fresh.size() >= atLeast || std::chrono::steady_clock::now() > deadline)
            return fresh;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

std::string ServoLink::portName() const
{
    return impl->folder.file("servo-port");
}

#endif

void ServoLink::quiet()
{
    serial_handle h = serial_open(comPortName, baudRate, 10);
    if (h == SERIAL_INVALID)
        return;
    unsigned char buf[256];
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (serial_read(h, buf, 1) == 1 && std::chrono::steady_clock::now() < deadline)
        serial_read(h, buf, sizeof buf);
    serial_close(h);
}

bool runningUnderWine()
{
#ifdef _WIN32
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
    return false;
#endif
}

TermResult runTerm(const std::string& line)
{
    TempFolder folder;
    FILE* trace = std::fopen(folder.file("trace").c_str(), "w+b");
    if (trace == nullptr)
        throw std::runtime_error("cannot create a trace file in " + folder.path());
    FILE* previous = traceOut;
    traceOut = trace;
    char buf[1024] = {};
    std::snprintf(buf, sizeof buf, "%s", line.c_str());
    SetLastError(0);
    int result = term(buf);
    uint32_t code = GetLastError();
    traceOut = previous;
    std::fflush(trace);
    std::rewind(trace);
    std::string text;
    for (int c; (c = std::fgetc(trace)) != EOF;)
        text.push_back(static_cast<char>(c));
    std::fclose(trace);
    return {result, code, text};
}

TempFile::TempFile(const std::vector<uint8_t>& bytes, const std::string& suffix)
    : path_(folder_.file("file" + suffix))
{
    std::ofstream out(path_, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}
