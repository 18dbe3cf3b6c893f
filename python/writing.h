// orvelin.Bus's writes, each answer judged: a RAM write read back, FLASH
// values read back after the restart, the clear behind its backup, the
// firmware update.
#pragma once

#include "python/session.h"

#include <pybind11/pybind11.h>

namespace orvelin::python {

namespace py = pybind11;

// Bus.write: the value read back.
py::int_ write(Session& session, const py::object& id, const py::object& name, const py::object& value);
// Bus.flash: the ID the servo answers on now.
py::int_ flash(Session& session, const py::object& id, const py::object& values, double wait, bool allowIdChange);
// Bus.clear: the backup's path.
py::str clear(Session& session, const py::object& id, const py::object& backupFolder);
// Bus.update.
void update(Session& session, const py::object& id, const py::object& path, const py::object& progress);

}  // namespace orvelin::python
