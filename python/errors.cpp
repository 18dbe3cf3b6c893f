#include "python/errors.h"

#include "orvelin/registers.h"
#include "python/arguments.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace orvelin::python {

namespace {

std::string byteText(unsigned char byte)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", byte);
    return text;
}

std::string nameOf(int row)
{
    return std::string(registers()[static_cast<std::size_t>(row)].name);
}

std::string valueOf(const Outcome& outcome, uint32_t value)
{
    return outcome.row >= 0 ? valueText(outcome.row, value) : std::to_string(value);
}

const char* kindOf(Status status)
{
    switch (status) {
    case Status::PortFailed:
        return "PortError";
    case Status::NoReply:
        return "NoAnswer";
    case Status::ShortReply:
        return "ShortReply";
    case Status::StrayBytes:
        return "Garbled";
    case Status::Refused:
        return "Refused";
    case Status::EchoDiffers:
    case Status::ReadBackDiffers:
        return "NotWritten";
    case Status::UploadFailed:
        return "UploadFailed";
    case Status::Ok:
    case Status::Stopped:
        break;
    }
    return "Error";
}

// The exception kind with its words, id and outcome, and further attributes.
[[noreturn]] void raise(const char* kind, const std::string& message, py::object id, py::object outcome,
                        const py::dict& more = {})
{
    py::object type = py::module_::import("orvelin").attr(kind);
    py::object error = type(message, id, outcome);
    for (auto [name, value] : more)
        py::setattr(error, name, value);
    PyErr_SetObject(type.ptr(), error.ptr());
    throw py::error_already_set();
}

std::string uploadWords(const Outcome& outcome)
{
    char text[160];
    switch (outcome.upload) {
    case UploadFailure::FileUnreadable:
        return "the update file cannot be read (missing, not a plain file, or its path too long)";
    case UploadFailure::ImageInvalid:
        return "the update file is no image: empty, a byte at or above 0x80, or longer than 12288 bytes";
    case UploadFailure::NoAcknowledge:
        std::snprintf(text, sizeof text, "servo %s did not acknowledge the chunk at 0x%04X in five attempts",
                      hexId(outcome.id).c_str(), static_cast<unsigned>(outcome.chunkAddress));
        return text;
    case UploadFailure::ChunkRefused:
        std::snprintf(text, sizeof text, "servo %s refused the chunk at 0x%04X (0x%02X) at the fifth attempt",
                      hexId(outcome.id).c_str(), static_cast<unsigned>(outcome.chunkAddress), outcome.ack);
        return text;
    case UploadFailure::None:
        break;
    }
    return "the update gave up";
}

}  // namespace

const char* statusName(Status status)
{
    switch (status) {
    case Status::Ok:
        return "ok";
    case Status::PortFailed:
        return "port_failed";
    case Status::NoReply:
        return "no_reply";
    case Status::ShortReply:
        return "short_reply";
    case Status::StrayBytes:
        return "stray_bytes";
    case Status::Refused:
        return "refused";
    case Status::EchoDiffers:
        return "echo_differs";
    case Status::ReadBackDiffers:
        return "read_back_differs";
    case Status::UploadFailed:
        return "upload_failed";
    case Status::Stopped:
        return "stopped";
    }
    return "unknown";
}

const char* uploadFailureName(UploadFailure failure)
{
    switch (failure) {
    case UploadFailure::None:
        return "none";
    case UploadFailure::FileUnreadable:
        return "file_unreadable";
    case UploadFailure::ImageInvalid:
        return "image_invalid";
    case UploadFailure::NoAcknowledge:
        return "no_acknowledge";
    case UploadFailure::ChunkRefused:
        return "chunk_refused";
    }
    return "unknown";
}

const char* portErrorName(PortError error)
{
    switch (error) {
    case PortError::None:
        return "none";
    case PortError::NotDevicePath:
        return "not_device_path";
    case PortError::NoSuchDevice:
        return "no_such_device";
    case PortError::PermissionDenied:
        return "permission_denied";
    case PortError::Busy:
        return "busy";
    case PortError::NotSerialPort:
        return "not_serial_port";
    case PortError::SettingRefused:
        return "setting_refused";
    case PortError::Other:
        break;
    }
    return "other";
}

const char* valueFileProblemName(ValueFileProblem problem)
{
    switch (problem) {
    case ValueFileProblem::None:
        return "none";
    case ValueFileProblem::CannotOpen:
        return "cannot_open";
    case ValueFileProblem::NotPlainFile:
        return "not_plain_file";
    case ValueFileProblem::TooLarge:
        return "too_large";
    case ValueFileProblem::NotRowValue:
        return "not_row_value";
    case ValueFileProblem::BadRow:
        return "bad_row";
    case ValueFileProblem::BadValue:
        return "bad_value";
    case ValueFileProblem::TooWide:
        return "too_wide";
    case ValueFileProblem::RowTwice:
        return "row_twice";
    case ValueFileProblem::NoValue:
        return "no_value";
    }
    return "unknown";
}

std::string describe(const Outcome& outcome, const Bus& bus)
{
    const std::string servo = "servo " + hexId(outcome.id);
    const std::string of = outcome.row >= 0 ? " " + nameOf(outcome.row) : "";
    switch (outcome.status) {
    case Status::Ok:
        return servo + ": done";
    case Status::PortFailed:
        return "the port " + bus.port() + " is not open";
    case Status::NoReply:
        if (outcome.row >= 0)
            return servo + " did not answer the write of" + of;
        return servo + " did not answer on " + bus.port() + " at " + std::to_string(bus.baud()) + " baud";
    case Status::ShortReply:
        return servo + ": " + std::to_string(outcome.received) + " of " + std::to_string(outcome.expected) +
               " reply bytes came";
    case Status::StrayBytes:
        return servo + ": " + std::to_string(outcome.stray) +
               " bytes came after the reply (two servos on one ID, another baud rate, noise)";
    case Status::Refused:
        return servo + " refused the FLASH write of" + of + " (acknowledge " + byteText(outcome.ack) + ")";
    case Status::EchoDiffers:
        return servo + " echoed " + valueOf(outcome, outcome.got) + " for" + of + ", not the " +
               valueOf(outcome, outcome.wanted) + " sent";
    case Status::ReadBackDiffers:
        return servo + ":" + of + " reads back " + valueOf(outcome, outcome.got) + ", not the " +
               valueOf(outcome, outcome.wanted) + " written";
    case Status::UploadFailed:
        return uploadWords(outcome);
    case Status::Stopped:
        return servo + ": stopped";
    }
    return servo + ": failed";
}

void raiseFailure(const Outcome& outcome, const Bus& bus, const std::string& after)
{
    py::dict more;
    if (outcome.status == Status::PortFailed) {
        more["port"] = bus.port();
        more["baud"] = bus.baud();
        more["reason"] = "closed";
        more["errno"] = 0;
    }
    raise(kindOf(outcome.status), describe(outcome, bus) + after, py::int_(outcome.id), py::cast(outcome), more);
}

void raisePortError(const Bus& bus)
{
    std::string reason = portErrorName(bus.openError());
    std::ranges::replace(reason, '_', ' ');
    std::string message = "cannot open " + bus.port() + " at " + std::to_string(bus.baud()) + " baud: " + reason;
    if (bus.openErrorCode() != 0)
        message += std::string(" (") + std::strerror(bus.openErrorCode()) + ")";
    py::dict more;
    more["port"] = bus.port();
    more["baud"] = bus.baud();
    more["reason"] = portErrorName(bus.openError());
    more["errno"] = bus.openErrorCode();
    raise("PortError", message, py::none(), py::none(), more);
}

void raiseValueFile(const ValueFile& file, const std::string& path)
{
    std::string where = path + (file.line > 0 ? ", line " + std::to_string(file.line) : "") + ": ";
    std::string text = "'" + file.text + "'";
    std::string message;
    switch (file.problem) {
    case ValueFileProblem::CannotOpen:
        message = where + std::strerror(file.error);
        break;
    case ValueFileProblem::NotPlainFile:
        message = where + "not a plain file (a folder, a device or a pipe)";
        break;
    case ValueFileProblem::TooLarge:
        message = where + std::to_string(file.size) + " bytes, far more than a FLASH value file of 63 lines";
        break;
    case ValueFileProblem::NotRowValue:
        message = where + text + " is not 'ROW VALUE' (such as 18 0x03E8)";
        break;
    case ValueFileProblem::BadRow:
        message = where + "row " + text + " is not one of the 63 registers (0 to 62)";
        break;
    case ValueFileProblem::BadValue:
        message = where + text + " for " + nameOf(file.row) + " is not 0x followed by up to 8 hexadecimal digits";
        break;
    case ValueFileProblem::TooWide:
        message = where + text + " is too wide for " + nameOf(file.row);
        break;
    case ValueFileProblem::RowTwice:
        message = where + "row " + std::to_string(file.row) + " (" + nameOf(file.row) + ") was given before, on line " +
                  std::to_string(file.firstLine);
        break;
    case ValueFileProblem::NoValue:
        message = where + "no value is staged";
        break;
    case ValueFileProblem::None:
        break;
    }
    py::dict more;
    more["path"] = path;
    more["line"] = file.line;
    more["problem"] = valueFileProblemName(file.problem);
    raise("ValueFileError", message + "; nothing was sent", py::none(), py::none(), more);
}

void raiseBackupFailed(const Backup& backup, const std::filesystem::path& folder)
{
    std::string message;
    switch (backup.failure) {
    case BackupFailure::NoFolder:
        message = "no backup folder: neither XDG_STATE_HOME nor HOME is set; give backup_folder";
        break;
    case BackupFailure::FolderNotMade:
        message = "cannot make the backup folder " + folder.string() + ": " + backup.reason;
        break;
    case BackupFailure::FileNotWritten:
        message = "cannot write the backup " + backup.path.string();
        break;
    case BackupFailure::ServoNotRead:
    case BackupFailure::None:
        message = "no backup";
        break;
    }
    py::dict more;
    more["reason"] = backup.reason;
    more["path"] = backup.path.empty() ? py::object(py::none()) : py::object(py::str(backup.path.string()));
    raise("BackupFailed", message + "; nothing was cleared", py::int_(backup.outcome.id), py::cast(backup.outcome),
          more);
}

}  // namespace orvelin::python
