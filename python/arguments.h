// What the module's methods take, checked before anything is sent: servo
// IDs, register names, values that fit their register, FLASH values by name,
// paths. A wrong argument raises TypeError, ValueError or KeyError.
#pragma once

#include "orvelin/registers.h"

#include <pybind11/pybind11.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace orvelin::python {

namespace py = pybind11;

// A servo ID, 0x00 to 0x3F.
int idFrom(const py::handle& id);
// "3F", as messages name a servo.
std::string hexId(int id);
// One ID or an iterable of them, each once.
std::vector<int> idsFrom(const py::handle& ids);

// The row of a register named exactly as listed (M_POS); KeyError otherwise.
int rowOf(const py::handle& name);
// One name or an iterable of them, in the order given, each once.
std::vector<int> rowsFrom(const py::handle& names);

// A value the register of row holds: 0 to its 7-bit groups' largest.
uint32_t valueFor(int row, const py::handle& value);
// {name: value} as staged values, each checked.
StagedValues valuesFrom(const py::handle& values);

// Whether object names a file: a str or an os.PathLike.
bool isPath(const py::handle& object);
std::filesystem::path pathFrom(const py::handle& path);

}  // namespace orvelin::python
