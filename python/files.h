// FLASH value files and comparisons from Python: a servo's values saved, a
// file's values loaded strictly, the registers where servos (or a file and
// servos) differ.
#pragma once

#include "python/session.h"

#include <pybind11/pybind11.h>

namespace orvelin::python {

namespace py = pybind11;

// Bus.save: the values saved, {name: value}.
py::dict save(Session& session, const py::object& id, const py::object& path, const py::object& names);
// Bus.diff: {name: {side: value}} for each register that differs; a side is
// a servo's ID, or "file".
py::dict diff(Session& session, const py::object& reference, const py::object& ids, const py::object& names);
// orvelin.load_values: {name: value}.
py::dict loadValues(const py::object& path);

}  // namespace orvelin::python
