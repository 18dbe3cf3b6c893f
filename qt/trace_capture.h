// The diagnostic trace of one command line, caught in memory on the worker
// thread, with the wire's packet lines between its own lines when they are
// asked for, in the form orvelin --wire writes them.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>

class TraceCapture {
public:
    TraceCapture() = default;
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    // The link's wire observer points here from install() to uninstall().
    void install();
    void uninstall();
    void setWireShown(bool shown) { wireShown_ = shown; }

    // traceOut writes into memory from begin() to end(), which gives back
    // what was written and points traceOut where it pointed before.
    void begin();
    std::string end();

    // Called by the observer while a line runs.
    void writeWireLine(bool sent, const unsigned char* data, int n);

private:

    FILE* stream_ = nullptr;
    FILE* previous_ = nullptr;
    char* buffer_ = nullptr;
    std::size_t size_ = 0;
    bool wireShown_ = false;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};
