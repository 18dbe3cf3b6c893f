// The port settings remembered between runs: servoconf.ini.
#pragma once

#include <string>

inline constexpr int kIniFileNameSize = 1024;

// What a missing PORT becomes. Windows has a first COM port to guess; a
// POSIX system has no such name, and an empty port makes orvelin ask for one.
#ifdef _WIN32
inline constexpr const char* kDefaultPort = "COM1";
#else
inline constexpr const char* kDefaultPort = "";
#endif
inline constexpr const char* kDefaultBaud = "115200";
inline constexpr int kComPortNameBuffSize = 32;

extern char inifilename[kIniFileNameSize];
extern char comPortNameBuff[kComPortNameBuffSize];

// Places servoconf.ini, reads PORT and BAUDRATE (writing the defaults for a
// missing key: kDefaultPort and kDefaultBaud) and sets inifilename, comPortNameBuff, comPortName, baudRate.
// Windows keeps the file beside the executable. Elsewhere it is the file
// named by the environment variable ORVELIN_CONFIG when that is set, else
// the one beside the executable when that folder is writable, else
// $XDG_CONFIG_HOME/orvelin/servoconf.ini (~/.config/orvelin/...); PORT then
// holds a device path, which becomes comPortName as it is.
// A port name that does not fit comPortName leaves it empty rather than
// naming another port; comPortNameBuff is likewise left empty when the name
// does not fit it. When no file can be placed or a default cannot be
// written, the defaults COM1 and 115200 are still used for the run.
void readINI();

// What servoconf.ini holds, as values, for a front end that opens a bus of
// its own: the file placed and read as readINI does (a missing key gets its
// default written, inifilename is set), the interpreter's port settings
// left alone, and a port name of any length a device path can have.
struct ConfiguredPort {
    std::string port;      // as stored: a device path, or a name such as COM3
    std::string baudText;  // as stored
    int baud = 0;          // atoi's reading of it
};
ConfiguredPort readConfiguredPort();

// The start-up port and baud rate as the options dialog shows them: read
// from inifilename without writing anything, the defaults for a missing key
// (or one holding the sentinel FAIL), each cut as the dialog's buffers cut
// it (15 characters; a POSIX device path may be as long as comPortName).
struct StartupSettings {
    std::string port;
    std::string baud;
};
StartupSettings readStartupSettings();
// The options dialog's OK: both texts into inifilename unchanged.
bool writeStartupSettings(const std::string& port, const std::string& baud);

// readINI's reading step on the file at path instead of the placed one.
void readINIFrom(const char* path);

// Private-profile reads and writes: GetPrivateProfileStringA and
// WritePrivateProfileStringA on Windows, an INI reader and writer that
// behaves as they do elsewhere. On every platform a write is refused, and
// returns false, when a text holds a line break, or the key holds '=' or
// starts with '[', since it would make other keys or sections; null texts,
// which the system function takes for deletions, are refused as well.
int profileGetString(const char* section, const char* key, const char* defaultValue, char* out,
                     int outSize, const char* file);
bool profileWriteString(const char* section, const char* key, const char* value, const char* file);
