// Ctrl-C during a long operation whose GIL is released: asked between two
// exchanges, it runs Python's signal handlers (and the caller's progress
// callback), and an exception either raises stops the operation there. The
// exception is raised again once the operation has returned, as the CLI
// stops between two exchanges.
#pragma once

#include <pybind11/pybind11.h>

#include <functional>
#include <optional>

namespace orvelin::python {

namespace py = pybind11;

class Interruption {
public:
    // Called without the GIL: whether to stop. callback, when given, runs
    // with the GIL after the signal handlers.
    bool stop(const std::function<void()>& callback = {});
    // With the GIL: raises what stopped the operation, if anything did.
    void raiseIfStopped();

private:
    std::optional<py::error_already_set> error_;
};

}  // namespace orvelin::python
