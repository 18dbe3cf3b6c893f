#include "python/session.h"

#include "python/errors.h"

namespace orvelin::python {

namespace {

Bus opened(const std::string& port, int baud)
{
    py::gil_scoped_release release;
    return Bus(port, baud);
}

}  // namespace

Session::Session(const std::string& port, int baud) : bus_(opened(port, baud))
{
    if (!bus_.isOpen())
        raisePortError(bus_);
}

void Session::close()
{
    run([](Bus& bus) { bus.close(); });
}

}  // namespace orvelin::python
