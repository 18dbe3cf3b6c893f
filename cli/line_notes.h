// What orvelin term tells about a command line that the interpreter takes
// in silence: why it sends nothing, a value it cuts to the register's bits,
// a reply that did not come whole. One note is one line on stderr.
#pragma once

#include "link/term.h"

#include <string>
#include <vector>

// Notes known before the line is sent, from the line as the interpreter reads it.
std::vector<std::string> lineNotes(const std::string& line, const TermLine& parsed);

// Notes on the replies, from what the interpreter says they were.
std::vector<std::string> replyNotes(const std::string& line, const TermLine& parsed,
                                    const std::vector<TermReply>& replies);
