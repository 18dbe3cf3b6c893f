// Where servoconf.ini lives.
#pragma once

#include <cstddef>
#include <string>

// Writes the full path of servoconf.ini into out. Returns false, with out
// empty, when no path can be formed or it does not fit.
bool placeIniFile(char* out, std::size_t size);

#ifndef _WIN32
// The executable's full path, symbolic links resolved; empty when unknown.
std::string executablePath();

// $XDG_CONFIG_HOME/orvelin/servoconf.ini (~/.config/... by default), the
// folder created when missing; empty when there is no home folder.
std::string userIniFile();
#endif
