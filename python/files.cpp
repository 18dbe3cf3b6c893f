#include "python/files.h"

#include "orvelin/diff.h"
#include "orvelin/value_files.h"
#include "orvelin/writes.h"
#include "python/arguments.h"
#include "python/errors.h"

#include <algorithm>
#include <optional>
#include <span>

namespace orvelin::python {

namespace {

py::str nameOf(int row)
{
    return std::string(registers()[static_cast<std::size_t>(row)].name);
}

ValueFile loaded(const py::object& path)
{
    const std::filesystem::path file = pathFrom(path);
    ValueFile values = loadValueFile(file);
    if (!values.ok())
        raiseValueFile(values, file.string());
    return values;
}

}  // namespace

py::dict save(Session& session, const py::object& id, const py::object& path, const py::object& names)
{
    const int servo = idFrom(id);
    const std::filesystem::path file = pathFrom(path);
    const std::vector<int> rows = names.is_none() ? everyRow() : rowsFrom(names);
    ServoImage image;
    Outcome outcome = session.run([&](Bus& bus) { return readServo(bus, servo, BlockSet::forRows(rows), image); });
    if (!outcome.ok())
        raiseFailure(outcome, session.bus());
    if (!saveValues(file, image, rows)) {
        PyErr_SetString(PyExc_OSError, ("cannot write " + file.string() + "; a file there is as it was").c_str());
        throw py::error_already_set();
    }
    py::dict values;
    for (int row : rows)
        values[nameOf(row)] = image.value(row);
    return values;
}

py::dict diff(Session& session, const py::object& reference, const py::object& ids, const py::object& names)
{
    const std::vector<int> rows = names.is_none() ? everyRow() : rowsFrom(names);
    const bool fromFile = isPath(reference);
    std::vector<int> servos = idsFrom(ids);
    std::optional<ValueFile> file;
    if (fromFile) {
        file = loaded(reference);
    } else {
        const int against = idFrom(reference);
        if (std::ranges::find(servos, against) != servos.end())
            throw py::value_error("the reference servo is among those compared with it");
        servos.insert(servos.begin(), against);
    }
    std::vector<Reading> readings = session.run([&](Bus& bus) { return readRegisters(bus, servos, rows); });
    std::vector<StagedValues> sides;
    for (const Reading& reading : readings) {
        if (!reading.outcome.ok())
            raiseFailure(reading.outcome, session.bus());
        sides.push_back(valuesOf(reading.image, everyRow()));
    }
    const StagedValues& against = fromFile ? file->values : sides.front();
    std::span<const StagedValues> others = fromFile ? std::span(sides) : std::span(sides).subspan(1);
    py::dict differ;
    for (int row : differingRows(against, others, rows)) {
        py::dict values;
        if (fromFile)
            values["file"] = *file->values[static_cast<std::size_t>(row)];
        for (const Reading& reading : readings)
            values[py::int_(reading.outcome.id)] = reading.image.value(row);
        differ[nameOf(row)] = values;
    }
    return differ;
}

py::dict loadValues(const py::object& path)
{
    ValueFile file = loaded(path);
    py::dict values;
    for (int row : everyRow())
        if (file.values[static_cast<std::size_t>(row)])
            values[nameOf(row)] = *file.values[static_cast<std::size_t>(row)];
    return values;
}

}  // namespace orvelin::python
