// The port in force, opened once for a whole bus operation and closed when
// it ends; the interpreter keeps opening it for every command line.
#pragma once

#include "link/serial.h"

class BusPort {
public:
    // Opens with the settings in force; a second try, as every command does.
    BusPort();
    ~BusPort();
    BusPort(const BusPort&) = delete;
    BusPort& operator=(const BusPort&) = delete;

    bool isOpen() const { return handle_ != SERIAL_INVALID; }
    serial_handle handle() const { return handle_; }
    // Empties the line: bytes still on their way from an earlier exchange
    // must not be taken for the next one's reply. Returns how many came.
    int drain();

private:
    serial_handle handle_;
};
