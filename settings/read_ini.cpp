#include "settings/settings.h"

#include "settings/config_path.h"
#include "settings/device_path.h"
#include "link/port_settings.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

char inifilename[kIniFileNameSize];
char comPortNameBuff[kComPortNameBuffSize];

namespace {

constexpr const char* kSection = "SERIAL";
constexpr const char* kMissing = "FAIL";
constexpr int kBaudReadSize = 16;

void copyText(char* out, int outSize, const char* text)
{
    const auto length = std::strlen(text);
    if (length >= static_cast<std::size_t>(outSize)) {
        out[0] = '\0';
        return;
    }
    std::memcpy(out, text, length + 1);
}

// Reads key into out; a missing key, or one holding the sentinel itself,
// gets the default written into the file and used.
void readSetting(const char* key, const char* defaultValue, char* out, int outSize)
{
    if (inifilename[0] == '\0') {
        copyText(out, outSize, defaultValue);
        return;
    }
    profileGetString(kSection, key, kMissing, out, outSize, inifilename);
    if (std::strcmp(out, kMissing) == 0) {
        profileWriteString(kSection, key, defaultValue, inifilename);
        copyText(out, outSize, defaultValue);
    }
}

// atoi's reading (leading blanks, sign, digits), with a value beyond int
// held at the limit instead of undefined.
int decimalValue(const char* text)
{
    const long value = std::strtol(text, nullptr, 10);
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

}  // namespace

StartupSettings readStartupSettings()
{
    char port[kPortReadSize];
    char baud[kBaudReadSize];
    profileGetString(kSection, "PORT", kMissing, port, sizeof port, inifilename);
    profileGetString(kSection, "BAUDRATE", kMissing, baud, sizeof baud, inifilename);
    return {std::strcmp(port, kMissing) == 0 ? kDefaultPort : port,
            std::strcmp(baud, kMissing) == 0 ? kDefaultBaud : baud};
}

bool writeStartupSettings(const std::string& port, const std::string& baud)
{
    bool portWritten = profileWriteString(kSection, "PORT", port.c_str(), inifilename);
    bool baudWritten = profileWriteString(kSection, "BAUDRATE", baud.c_str(), inifilename);
    return portWritten && baudWritten;
}

ConfiguredPort readConfiguredPort()
{
    char path[kIniFileNameSize];
    copyText(inifilename, kIniFileNameSize, placeIniFile(path, sizeof path) ? path : "");
    std::vector<char> port(kPortReadSize);
    readSetting("PORT", kDefaultPort, port.data(), kPortReadSize);
    char baud[kBaudReadSize];
    readSetting("BAUDRATE", kDefaultBaud, baud, sizeof baud);
    return {port.data(), baud, decimalValue(baud)};
}

void readINI()
{
    char path[kIniFileNameSize];
    readINIFrom(placeIniFile(path, sizeof path) ? path : "");
}

void readINIFrom(const char* path)
{
    copyText(inifilename, kIniFileNameSize, path);

    char port[kPortReadSize];
    readSetting("PORT", kDefaultPort, port, sizeof port);
    copyText(comPortNameBuff, kComPortNameBuffSize, port);
    setDevicePath(port);

    char baud[kBaudReadSize];
    readSetting("BAUDRATE", kDefaultBaud, baud, sizeof baud);
    baudRate = decimalValue(baud);
}
