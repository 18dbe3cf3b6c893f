// orvelin.Bus: a bus session as Python holds it. Every call into the bus
// layer runs with the GIL released, so other Python threads go on while it
// waits on the wire, and one at a time, so threads that share a Bus take
// turns on it.
#pragma once

#include "orvelin/bus.h"

#include <pybind11/pybind11.h>

#include <mutex>
#include <string>
#include <utility>

namespace orvelin::python {

namespace py = pybind11;

class Session {
public:
    // Opens the port; PortError with the reason when it does not open.
    Session(const std::string& port, int baud);

    // job(bus) with the GIL released, alone on the bus. Called with the GIL.
    template <typename Job> auto run(Job&& job)
    {
        py::gil_scoped_release release;
        std::lock_guard lock(mutex_);
        return std::forward<Job>(job)(bus_);
    }

    // For the words of an exception; the port and rate, not the line.
    const Bus& bus() const { return bus_; }
    void close();

private:
    Bus bus_;
    std::mutex mutex_;
};

}  // namespace orvelin::python
