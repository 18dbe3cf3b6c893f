#include "python/arguments.h"

#include <algorithm>
#include <cstdio>

namespace orvelin::python {

std::string hexId(int id)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02X", static_cast<unsigned>(id));
    return text;
}

namespace {

// One item or an iterable of them; a str is one item.
std::vector<py::handle> itemsOf(const py::handle& items)
{
    if (py::isinstance<py::str>(items) || !py::isinstance<py::iterable>(items))
        return {items};
    std::vector<py::handle> all;
    for (py::handle item : items)
        all.push_back(item);
    return all;
}

}  // namespace

int idFrom(const py::handle& id)
{
    if (!py::isinstance<py::int_>(id) || py::isinstance<py::bool_>(id))
        throw py::type_error("a servo ID is an int, not " + std::string(py::str(py::type::of(id).attr("__name__"))));
    long value = id.cast<long>();
    if (value < 0 || value > kMaxId)
        throw py::value_error("servo IDs are 0x00 to 0x3F, not " + std::to_string(value));
    return static_cast<int>(value);
}

std::vector<int> idsFrom(const py::handle& ids)
{
    std::vector<int> all;
    for (py::handle item : itemsOf(ids)) {
        int id = idFrom(item);
        if (std::ranges::find(all, id) != all.end())
            throw py::value_error("servo " + hexId(id) + " is given twice");
        all.push_back(id);
    }
    if (all.empty())
        throw py::value_error("no servo ID given");
    return all;
}

int rowOf(const py::handle& name)
{
    if (!py::isinstance<py::str>(name))
        throw py::type_error("a register is given by its name, such as \"M_POS\"");
    std::string text = name.cast<std::string>();
    if (auto row = findRegister(text))
        return *row;
    throw py::key_error("no register is named " + std::string(py::repr(name)) +
                        " (names are as orvelin.registers() lists them, such as \"M_POS\")");
}

std::vector<int> rowsFrom(const py::handle& names)
{
    std::vector<int> rows;
    for (py::handle item : itemsOf(names)) {
        int row = rowOf(item);
        if (std::ranges::find(rows, row) != rows.end())
            throw py::value_error(std::string(registers()[static_cast<std::size_t>(row)].name) + " is given twice");
        rows.push_back(row);
    }
    if (rows.empty())
        throw py::value_error("no register given");
    return rows;
}

uint32_t valueFor(int row, const py::handle& value)
{
    const Register& reg = registers()[static_cast<std::size_t>(row)];
    if (!py::isinstance<py::int_>(value) || py::isinstance<py::bool_>(value))
        throw py::type_error(std::string(reg.name) + " takes an int value");
    const uint32_t most = maxValue(reg.size);
    py::int_ number = py::reinterpret_borrow<py::int_>(value);
    if (number < py::int_(0) || number > py::int_(most))
        throw py::value_error(std::string(py::repr(value)) + " does not fit " + std::string(reg.name) + ": " +
                              (reg.size == 1 ? "1 byte" : std::to_string(reg.size) + " bytes") +
                              " of 7 bits hold 0 to " + valueText(row, most));
    return number.cast<uint32_t>();
}

StagedValues valuesFrom(const py::handle& values)
{
    if (!py::isinstance<py::dict>(values))
        throw py::type_error("FLASH values are a dict of register names and values, or a FLASH value file's path");
    StagedValues staged;
    for (auto [name, value] : py::reinterpret_borrow<py::dict>(values)) {
        int row = rowOf(name);
        staged[static_cast<std::size_t>(row)] = valueFor(row, value);
    }
    if (std::ranges::none_of(staged, [](const auto& value) { return value.has_value(); }))
        throw py::value_error("no FLASH value given");
    return staged;
}

bool isPath(const py::handle& object)
{
    return py::isinstance<py::str>(object) || py::hasattr(object, "__fspath__");
}

std::filesystem::path pathFrom(const py::handle& path)
{
    if (!isPath(path))
        throw py::type_error("a path is a str or an os.PathLike");
    return py::module_::import("os").attr("fsdecode")(path).cast<std::string>();
}

}  // namespace orvelin::python
