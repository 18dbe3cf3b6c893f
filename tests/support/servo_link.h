// The servo at the far end of the port settings in force, for tests that run
// the real serial code. Natively it is an in-process virtual servo on a
// pseudo-terminal; under Wine it is the virtual servo that the test runner
// started and mapped to a COM port, steered through its control file and
// watched through its packet log.
#pragma once

#include "tests/support/temp_folder.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

class ServoLink {
public:
    ServoLink();
    ~ServoLink();
    ServoLink(const ServoLink&) = delete;
    ServoLink& operator=(const ServoLink&) = delete;

    // Points comPortName and baudRate at the servo. False when no servo is there.
    bool attach();
    // A line of the servo's control language ("silent 1", "set 20=68,07", "reset").
    void control(const std::string& line);
    // Packets that arrived since the last mark, as "BF 61 09 01" texts. Waits
    // up to a second for at least `atLeast` of them, since the servo logs a
    // packet that gets no reply only after the command has returned.
    std::vector<std::string> packets(std::size_t atLeast = 0);
    void mark();
    // How far behind its pace the servo sent a byte, at worst, since the
    // last mark. Zero where the servo runs in a process of its own (under
    // Wine) and does not say.
    std::chrono::microseconds lag() const;
    // Reads and drops whatever the servo is still sending (a late reply, a
    // flood of noise) until the line has been quiet for a moment, so that
    // the next test on the same line starts clean.
    void quiet();
    // Device name as the link opens it (COM5 or /dev/pts/3).
    std::string portName() const;

private:
    struct Impl;
    Impl* impl;
};

// Wine's serial driver lets the same process open a COM port twice; a test
// of exclusive opening means something only on the real systems.
bool runningUnderWine();

// Runs term() on a copy of the line in a buffer of the size front ends use
// and returns what it wrote to the trace.
struct TermResult {
    int result;
    uint32_t lastError;
    std::string trace;
};
TermResult runTerm(const std::string& line);

// A file with the given bytes, named "file" and the suffix, alone in a
// folder of its own; removed with the folder when the object goes.
class TempFile {
public:
    explicit TempFile(const std::vector<uint8_t>& bytes, const std::string& suffix = ".upd");
    const std::string& path() const { return path_; }

private:
    TempFolder folder_;
    std::string path_;
};
