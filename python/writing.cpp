#include "python/writing.h"

#include "orvelin/backups.h"
#include "orvelin/writes.h"
#include "python/arguments.h"
#include "python/errors.h"
#include "python/interruption.h"

#include <chrono>

namespace orvelin::python {

namespace {

const int kSysSid = *findRegister("SYS_SID");

// The values to flash: a FLASH value file's, or a dict's.
StagedValues stagedFrom(const py::object& values)
{
    if (!isPath(values))
        return valuesFrom(values);
    const std::filesystem::path path = pathFrom(values);
    ValueFile file = loadValueFile(path);
    if (!file.ok())
        raiseValueFile(file, path.string());
    return file.values;
}

}  // namespace

py::int_ write(Session& session, const py::object& id, const py::object& name, const py::object& value)
{
    const int servo = idFrom(id);
    const int row = rowOf(name);
    const uint32_t wanted = valueFor(row, value);
    ServoImage readBack;
    Outcome outcome = session.run([&](Bus& bus) { return setRegister(bus, servo, row, wanted, readBack); });
    if (!outcome.ok())
        raiseFailure(outcome, session.bus());
    return readBack.value(row);
}

py::int_ flash(Session& session, const py::object& id, const py::object& values, double wait, bool allowIdChange)
{
    const int servo = idFrom(id);
    const StagedValues staged = stagedFrom(values);
    // Values saved from one servo carry its ID: written to another they
    // would give the bus two servos that answer as one.
    const int after = idAfter(servo, staged);
    if (after != servo && !allowIdChange)
        throw py::value_error("the values set SYS_SID to " + valueText(kSysSid, static_cast<uint32_t>(after)) +
                              ", another ID than servo " + valueText(kSysSid, static_cast<uint32_t>(servo)) +
                              "'s; give allow_id_change=True to change it");
    if (wait < 0)
        throw py::value_error("wait is a number of seconds, not negative");
    const auto restart = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::duration<double>(wait));
    Outcome outcome = session.run([&](Bus& bus) { return writeFlashValues(bus, servo, staged, restart); });
    if (!outcome.ok())
        raiseFailure(outcome, session.bus());
    return after;
}

py::str clear(Session& session, const py::object& id, const py::object& backupFolder)
{
    const int servo = idFrom(id);
    const std::filesystem::path folder = backupFolder.is_none() ? defaultBackupFolder() : pathFrom(backupFolder);
    BackedUpClear cleared = session.run([&](Bus& bus) { return clearWithBackup(bus, servo, folder); });
    if (cleared.backup.failure == BackupFailure::ServoNotRead)
        raiseFailure(cleared.backup.outcome, session.bus(), " (reading its backup); nothing was cleared");
    if (!cleared.backup.ok())
        raiseBackupFailed(cleared.backup, folder);
    if (!cleared.outcome.ok())
        raiseFailure(cleared.outcome, session.bus(), "; the backup is " + cleared.backup.path.string());
    return cleared.backup.path.string();
}

void update(Session& session, const py::object& id, const py::object& path, const py::object& progress)
{
    const int servo = idFrom(id);
    if (!progress.is_none() && !PyCallable_Check(progress.ptr()))
        throw py::type_error("progress is called as progress(sent, total)");
    UploadFailure why = UploadFailure::None;
    std::optional<std::vector<unsigned char>> image = readUpdateFile(pathFrom(path).string(), why);
    if (!image)
        raiseFailure({.status = Status::UploadFailed, .id = servo, .upload = why}, session.bus(), "; nothing was sent");
    Interruption interruption;
    auto told = [&](long sent, long total) {
        return !interruption.stop([&] {
            if (!progress.is_none())
                progress(sent, total);
        });
    };
    Outcome outcome = session.run([&](Bus& bus) { return updateFirmware(bus, servo, *image, told); });
    interruption.raiseIfStopped();
    if (!outcome.ok())
        raiseFailure(outcome, session.bus());
}

}  // namespace orvelin::python
