// The port settings remembered between runs: servoconf.ini.
#pragma once

inline constexpr int kIniFileNameSize = 1024;
inline constexpr int kComPortNameBuffSize = 32;

extern char inifilename[kIniFileNameSize];
extern char comPortNameBuff[kComPortNameBuffSize];

// Places servoconf.ini, reads PORT and BAUDRATE (writing the defaults for a
// missing key) and sets inifilename, comPortNameBuff, comPortName, baudRate.
void readINI();

// Private-profile reads and writes: GetPrivateProfileStringA and
// WritePrivateProfileStringA on Windows, an INI reader and writer that
// behaves as they do elsewhere.
int profileGetString(const char* section, const char* key, const char* defaultValue, char* out,
                     int outSize, const char* file);
bool profileWriteString(const char* section, const char* key, const char* value, const char* file);
