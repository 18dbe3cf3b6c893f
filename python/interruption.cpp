#include "python/interruption.h"

namespace orvelin::python {

bool Interruption::stop(const std::function<void()>& callback)
{
    if (error_)
        return true;
    py::gil_scoped_acquire acquire;
    try {
        if (PyErr_CheckSignals() != 0)
            throw py::error_already_set();
        if (callback)
            callback();
    } catch (py::error_already_set& error) {
        error_ = std::move(error);
    }
    return error_.has_value();
}

void Interruption::raiseIfStopped()
{
    if (error_) {
        py::error_already_set error = std::move(*error_);
        error_.reset();
        throw error;
    }
}

}  // namespace orvelin::python
