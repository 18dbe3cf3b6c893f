// orvelin.exe, the console front end, run as a newcomer would under Wine
// with the virtual servo on a COM port.
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

struct ProcessRun {
    DWORD exitCode;
    std::string out;
};

// Runs a copy of orvelin.exe in a folder of its own, so the servoconf.ini it
// keeps beside itself is this run's, with the arguments; collects stdout and
// stderr.
ProcessRun runOrvelin(const std::string& arguments)
{
    TempFolder folder;
    const std::string exe = folder.file("orvelin.exe");
    if (!CopyFileA(ORVELIN_EXE, exe.c_str(), TRUE))
        return {~0u, "CopyFile failed"};
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return {~0u, "CreatePipe failed"};
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = writeEnd;
    si.hStdError = writeEnd;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi{};
    std::string command = "\"" + exe + "\" " + arguments;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
        CloseHandle(readEnd);
        CloseHandle(writeEnd);
        return {~0u, "CreateProcess failed"};
    }
    CloseHandle(writeEnd);
    std::string out;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(readEnd, buf, sizeof buf, &got, nullptr) && got > 0)
        out.append(buf, got);
    // The console's text mode ends lines with CR LF; compare the lines themselves.
    std::erase(out, '\r');
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    CloseHandle(readEnd);
    return {code, out};
}

int countOf(const std::string& text, const std::string& what)
{
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

const char* testPort()
{
    const char* port = std::getenv("ORVELIN_TEST_PORT");
    return port != nullptr ? port : "";
}

}  // namespace

TEST(OrvelinExe, TermReadsTheServoOnAComPort)
{
    ASSERT_STRNE(testPort(), "") << "run through the Wine test runner";
    ProcessRun r = runOrvelin(std::string("term --port ") + testPort() + " R");
    EXPECT_EQ(r.exitCode, 0u) << r.out;
    EXPECT_EQ(countOf(r.out, "(w:19)(r:16)"), 6) << r.out;
    EXPECT_NE(r.out.find("20:M_POS  ="), std::string::npos) << r.out;
}

TEST(OrvelinExe, TermReproducesTheWorkedExamples)
{
    ASSERT_STRNE(testPort(), "");
    ProcessRun r = runOrvelin(std::string("term --port ") + testPort() + " \"w 20 3e8\" \"f 0 3e8\"");
    EXPECT_EQ(r.exitCode, 0u) << r.out;
    EXPECT_NE(r.out.find("000020 3e8 2\n03e8\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("000000 3e8 2\n(1)00\n"), std::string::npos) << r.out;
}

TEST(OrvelinExe, MissingPortEndsWithSerialOpen)
{
    ProcessRun r = runOrvelin("term --port COM199 R");
    EXPECT_EQ(r.exitCode, 1u);
    EXPECT_NE(r.out.find("serial_open"), std::string::npos) << r.out;
}
