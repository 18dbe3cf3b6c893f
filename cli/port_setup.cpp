#include "cli/port_setup.h"

#include "cli/console/wire_monitor.h"
#include "cli/exit_codes.h"
#include "cli/texts/messages.h"
#include "orvelin/registers.h"
#include "settings/settings.h"

#include <cstring>

namespace {

#ifdef _WIN32
constexpr const char* kDiscardPath = "NUL";
#else
constexpr const char* kDiscardPath = "/dev/null";
#endif

std::string reasonText(orvelin::PortError error, int systemCode, int baud)
{
    using orvelin::PortError;
    switch (error) {
    case PortError::NotDevicePath:
        return text(Msg::PortNotADevicePath);
    case PortError::NoSuchDevice:
        return text(Msg::PortNoSuchDevice);
    case PortError::PermissionDenied:
        return text(Msg::PortPermissionDenied);
    case PortError::Busy:
        return text(Msg::PortBusy);
    case PortError::NotSerialPort:
        return text(Msg::PortNotSerial);
    case PortError::SettingRefused:
        return format(Msg::PortSettingRefused, baud);
    default:
        return systemCode != 0 ? std::strerror(systemCode) : text(Msg::PortUnknownReason);
    }
}

bool isDevicePath(const std::string& name)
{
#ifdef _WIN32
    return !name.empty();
#else
    return name.find('/') != std::string::npos;
#endif
}

}  // namespace

std::optional<int> baudFromText(const std::string& text)
{
    auto value = parseDecimal(text);
    if (!value || *value == 0 || *value > 0x7FFFFFFF) {
        complain(Msg::BadBaud, text.c_str());
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

std::optional<int> idFromText(const std::string& text)
{
    auto value = parseHex(text);
    if (!value || *value > orvelin::kMaxId) {
        complain(Msg::BadId, text.c_str());
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

bool acceptsPortName(const std::string& name)
{
    if (!isDevicePath(name)) {
        complain(Msg::PortNotPath, name.c_str());
        return false;
    }
    return true;
}

std::optional<PortChoice> choosePort(const CommonArgs& args, int& status, IdForm idForm)
{
    status = kExitUsage;
    PortChoice choice{"", 0, orvelin::kMaxId};
    if (args.baud) {
        auto value = baudFromText(*args.baud);
        if (!value)
            return std::nullopt;
        choice.baud = *value;
    }
    if (idForm == IdForm::One && args.id) {
        auto value = idFromText(*args.id);
        if (!value)
            return std::nullopt;
        choice.id = *value;
    }
    if (!args.port || !args.baud) {
        ConfiguredPort configured = readConfiguredPort();
        if (!args.baud)
            choice.baud = configured.baud;
        if (!args.port) {
            if (configured.port.empty()) {
                complain(Msg::NoPortConfigured);
                return std::nullopt;
            }
            if (!isDevicePath(configured.port)) {
                complain(Msg::ConfigPortNotPath, inifilename, configured.port.c_str());
                return std::nullopt;
            }
            choice.port = configured.port;
        }
    }
    if (args.port) {
        if (!acceptsPortName(*args.port))
            return std::nullopt;
        choice.port = *args.port;
    }
    tellWireTapPort(choice.port);
    status = kExitOk;
    return choice;
}

RunBus::RunBus(const PortChoice& choice) : Bus(choice.port, choice.baud) {}

RunBus::~RunBus()
{
    noteEcho(port(), echoes());
}

void reportOpenFailure(const std::string& port, int baud, orvelin::PortError error, int systemCode)
{
    complain(Msg::PortOpenFailed, port.c_str(), baud, reasonText(error, systemCode, baud).c_str());
}

void noteEcho(const std::string& port, bool echoed)
{
    static bool said = false;
    if (!echoed || said)
        return;
    said = true;
    std::fflush(stdout);
    complain(Msg::AdapterEchoes, port.c_str());
}

FILE* discardStream()
{
    static FILE* const stream = std::fopen(kDiscardPath, "w");
    return stream;
}
