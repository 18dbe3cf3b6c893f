// The port, rate and ID one run of orvelin works with: --port, --baud and
// --id, with servoconf.ini for what the command line leaves out; and the
// bus the run opens on them.
#pragma once

#include "cli/options.h"
#include "orvelin/bus.h"

#include <cstdio>
#include <optional>
#include <string>

struct PortChoice {
    std::string port;  // as people write it: /dev/ttyUSB0, COM3
    int baud = 0;
    int id = 0;  // --id when it names one ID, else the factory ID 3F
};

// The choice for args, or nothing once a refusal has been reported, with its
// exit status in status. A command that takes a list of IDs reads --id
// itself (servo_ids.h).
enum class IdForm { One, List };
std::optional<PortChoice> choosePort(const CommonArgs& args, int& status, IdForm idForm = IdForm::One);

// Validated values of --baud and --id; a refusal is reported.
std::optional<int> baudFromText(const std::string& text);
std::optional<int> idFromText(const std::string& text);

// Checks a port name the way choosePort takes it; a refusal is reported.
bool acceptsPortName(const std::string& name);

// The bus of one run, on the chosen port and rate. When it closes it says,
// once per run, that the adapter echoes, if the line showed it.
class RunBus : public orvelin::Bus {
public:
    explicit RunBus(const PortChoice& choice);
    ~RunBus();
    RunBus(RunBus&&) = delete;
    RunBus& operator=(RunBus&&) = delete;
};

// Says on stderr why a port could not be opened.
void reportOpenFailure(const std::string& port, int baud, orvelin::PortError error, int systemCode);

// Says once per run, on stderr, that the adapter on port returns what it sends.
void noteEcho(const std::string& port, bool echoed);

// Where the trace goes when a subcommand prints results of its own.
FILE* discardStream();
