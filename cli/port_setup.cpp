#include "cli/port_setup.h"

#include "cli/exit_codes.h"
#include "cli/texts/messages.h"
#include "link/wire_format.h"
#include "link/registers.h"
#include "link/serial.h"
#include "settings/settings.h"

#include <cstring>

namespace {

#ifdef _WIN32
constexpr std::string_view kDevicePrefix = "\\\\.\\";
constexpr const char* kDiscardPath = "NUL";
#else
constexpr const char* kDiscardPath = "/dev/null";
#endif

std::string reasonText(SerialError error)
{
    switch (error.failure) {
    case SerialFailure::NotDevicePath:
        return text(Msg::PortNotADevicePath);
    case SerialFailure::NoSuchDevice:
        return text(Msg::PortNoSuchDevice);
    case SerialFailure::PermissionDenied:
        return text(Msg::PortPermissionDenied);
    case SerialFailure::Busy:
        return text(Msg::PortBusy);
    case SerialFailure::NotSerialPort:
        return text(Msg::PortNotSerial);
    case SerialFailure::SettingRefused:
        return format(Msg::PortSettingRefused, baudRate);
    default:
        return error.systemCode != 0 ? std::strerror(error.systemCode) : text(Msg::PortUnknownReason);
    }
}

void openFailureHandler(const char*)
{
    reportOpenFailure();
}

bool isDevicePath(const std::string& name)
{
#ifdef _WIN32
    return !name.empty();
#else
    return name.find('/') != std::string::npos;
#endif
}

bool copyDevicePath(const std::string& name)
{
#ifdef _WIN32
    std::string path = name.starts_with(kDevicePrefix) ? name : std::string(kDevicePrefix) + name;
#else
    const std::string& path = name;
#endif
    if (path.size() >= kComPortNameSize)
        return false;
    std::memcpy(comPortName, path.c_str(), path.size() + 1);
    return true;
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
    if (!value || *value > kHighestId) {
        complain(Msg::BadId, text.c_str());
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

bool setPortName(const std::string& name)
{
    if (!isDevicePath(name)) {
        complain(Msg::PortNotPath, name.c_str());
        return false;
    }
    if (!copyDevicePath(name)) {
        complain(Msg::PortTooLong, name.c_str());
        return false;
    }
    return true;
}

int preparePort(const CommonArgs& args, IdForm idForm)
{
    if (args.baud) {
        auto value = baudFromText(*args.baud);
        if (!value)
            return kExitUsage;
        baudRate = *value;
    }
    if (idForm == IdForm::One && args.id) {
        auto value = idFromText(*args.id);
        if (!value)
            return kExitUsage;
        SendID = *value;
    }
    if (!args.port || !args.baud) {
        int chosenBaud = baudRate;
        readINI();
        if (args.baud)
            baudRate = chosenBaud;
    }
    if (args.port) {
        if (!setPortName(*args.port))
            return kExitUsage;
    } else {
        // readINI leaves comPortName empty for a name that does not fit it.
        std::string configured = comPortName[0] != '\0' ? portDisplayName() : std::string(comPortNameBuff);
        if (configured.empty()) {
            complain(Msg::NoPortConfigured);
            return kExitUsage;
        }
        if (comPortName[0] == '\0' || !isDevicePath(configured)) {
            complain(Msg::ConfigPortNotPath, inifilename, configured.c_str());
            return kExitUsage;
        }
    }
    set_errexit_handler(openFailureHandler);
    return kExitOk;
}

void reportOpenFailure()
{
    complain(Msg::PortOpenFailed, portDisplayName().c_str(), baudRate, reasonText(serial_last_error()).c_str());
}

std::string portDisplayName()
{
    std::string name = comPortName;
#ifdef _WIN32
    if (name.starts_with(kDevicePrefix))
        name.erase(0, kDevicePrefix.size());
#endif
    return name;
}

FILE* discardStream()
{
    static FILE* const stream = std::fopen(kDiscardPath, "w");
    return stream;
}
