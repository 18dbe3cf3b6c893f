// The module's exceptions, raised from what the library returns: each a
// subclass of orvelin.Error (defined in orvelin/__init__.py) that carries the
// servo's ID and the outcome with its evidence. Called with the GIL held.
#pragma once

#include "orvelin/backups.h"
#include "orvelin/bus.h"
#include "orvelin/outcome.h"
#include "orvelin/value_files.h"

#include <pybind11/pybind11.h>

#include <filesystem>
#include <string>

namespace orvelin::python {

namespace py = pybind11;

// The names the module gives the library's kinds ("no_reply", "image_invalid").
const char* statusName(Status status);
const char* uploadFailureName(UploadFailure failure);
const char* portErrorName(PortError error);
const char* valueFileProblemName(ValueFileProblem problem);

// What went wrong with a servo, in words: "servo 01 did not answer".
std::string describe(const Outcome& outcome, const Bus& bus);

// Raises the exception of a failed outcome: NoAnswer, Garbled, ShortReply,
// Refused, NotWritten, UploadFailed, PortError; after is appended to its
// words ("; nothing was cleared"). (An operation stopped from Python raises
// what stopped it: see Interruption.)
[[noreturn]] void raiseFailure(const Outcome& outcome, const Bus& bus, const std::string& after = {});
// PortError for a port that did not open.
[[noreturn]] void raisePortError(const Bus& bus);
// ValueFileError for a FLASH value file refused whole.
[[noreturn]] void raiseValueFile(const ValueFile& file, const std::string& path);
// BackupFailed for a backup that has no folder or could not be written.
[[noreturn]] void raiseBackupFailed(const Backup& backup, const std::filesystem::path& folder);

}  // namespace orvelin::python
