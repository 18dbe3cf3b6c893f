// The port settings in force for one run of orvelin: --port, --baud and
// --id, with servoconf.ini for what the command line leaves out.
#pragma once

#include "cli/options.h"

#include <cstdio>
#include <optional>
#include <string>

// Sets comPortName, baudRate and SendID and has a port that cannot be opened
// reported on stderr. Returns kExitOk, or the exit status of a refusal that
// has been reported. A command that takes a list of IDs reads --id itself
// (servo_ids.h).
enum class IdForm { One, List };
int preparePort(const CommonArgs& args, IdForm idForm = IdForm::One);

// Validated values of --baud and --id; a refusal is reported.
std::optional<int> baudFromText(const std::string& text);
std::optional<int> idFromText(const std::string& text);

// Checks a port name the way preparePort would take it and sets comPortName
// from it; a refusal is reported.
bool setPortName(const std::string& name);

// Says on stderr why the port in force could not be opened.
void reportOpenFailure();

// comPortName as people write it (without the Windows device prefix).
std::string portDisplayName();

// Where the trace goes when a subcommand prints results of its own.
FILE* discardStream();
