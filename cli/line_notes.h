// What orvelin term tells about a command line that the interpreter takes
// in silence: why it sends nothing, a value it cuts to the register's bits,
// a reply that did not come whole. One note is one line on stderr.
#pragma once

#include <string>
#include <vector>

struct LinePlan {
    std::vector<std::string> notes;  // known before the line is sent
    char command = 0;                // the command the first character selects, 0 for none
    std::vector<int> replies;        // the reply bytes each read should get, in order
    std::vector<int> ids;            // for "b": the ID each position packet goes to
};

// The line as the interpreter will read it, with the "b" operands in force.
LinePlan planLine(const std::string& line);

// After the line ran: notes for the replies, from the byte counts of its
// reads and the bytes that came.
std::vector<std::string> replyNotes(const std::string& line, const LinePlan& plan, const std::vector<int>& reads,
                                    const std::vector<unsigned char>& bytes);
