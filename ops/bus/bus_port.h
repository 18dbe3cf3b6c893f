// A bus held open for a whole operation: its port and rate, and what the
// line has shown so far (an adapter that echoes, how long its replies take
// to reach this program). The interpreter keeps opening the port for every
// command line.
#pragma once

#include "link/serial.h"

#include <string>

class BusPort {
public:
    // Opens path at baud; a second try, as every command does.
    BusPort(std::string path, int baud);
    // The port settings in force.
    BusPort();
    ~BusPort();
    BusPort(const BusPort&) = delete;
    BusPort& operator=(const BusPort&) = delete;

    bool isOpen() const { return handle_ != SERIAL_INVALID; }
    serial_handle handle() const { return handle_; }
    const std::string& path() const { return path_; }
    int baud() const { return baud_; }
    // Another rate on the open port; false when the driver refuses it.
    bool setBaud(int baud);
    // Empties the line: bytes still on their way from an earlier exchange
    // must not be taken for the next one's reply. Returns how many came.
    int drain();

    // What the line has shown: an adapter that returns what it sends, and
    // how long after crossing the wire bytes reach this program (-1 unknown).
    bool echoes() const { return echoes_; }
    int latencyUs() const { return latencyUs_; }
    void sawEcho(bool echoed) { echoes_ = echoes_ || echoed; }
    void sawLatency(int us);

private:
    std::string path_;
    int baud_;
    serial_handle handle_;
    bool echoes_ = false;
    int latencyUs_ = -1;
};
