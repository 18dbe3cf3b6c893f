// orvelin's man page and bash completion, written from the same command and
// option tables as its --help, so they say and offer what it accepts.
#pragma once

#include <string>

// The man page orvelin.1, in English: the overview, then each command's help.
std::string manPage();

// The bash completion of orvelin: its commands, each command's options as
// its usage line shows them, devices and files where an option's value or a
// command's argument is written DEVICE or FILE.
std::string bashCompletion();
