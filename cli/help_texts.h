// The --help texts, in the language of the messages.
#pragma once

#include <string_view>

// The help of one subcommand, or of orvelin as a whole for an empty name.
const char* helpText(std::string_view command);
