// orvelin term: raw command lines through the interpreter, trace on stdout,
// and a note on stderr for what the interpreter takes in silence.
#include "exit_codes.h"
#include "lasterror.h"
#include "latency_hint.h"
#include "line_notes.h"
#include "messages.h"
#include "port_setup.h"
#include "run_line.h"
#include "subcommands.h"
#include "upload_outcome.h"
#include "wire_monitor.h"

#include <cstdio>
#include <iostream>
#include <string>

namespace {

constexpr OptionDef kOptions[] = {{"--strict", false}};

bool fitsBuffer(const std::string& line)
{
    if (line.size() <= static_cast<std::size_t>(kLineMax))
        return true;
    complain(Msg::LineTooLong, kLineMax);
    return false;
}

void tell(const std::vector<std::string>& notes)
{
    std::fflush(stdout);
    for (const std::string& note : notes)
        std::fprintf(stderr, "orvelin: %s\n", note.c_str());
}

// A failed upload stops the run: the lines after it (typically the restart
// request) assume it succeeded. Under --strict so does any note, and a line
// whose note comes before it is not sent at all.
int runOne(const std::string& line, bool strict)
{
    LinePlan plan = planLine(line);
    tell(plan.notes);
    if (strict && !plan.notes.empty())
        return kExitUsage;
    markReads();
    if (runLine(line) != 0) {
        complain(Msg::LineFailed, line.c_str(), text(uploadOutcome(failedUpdateOutcome(GetLastError())).text));
        return kExitUploadOpen;
    }
    std::vector<std::string> notes = replyNotes(line, plan, readsSinceMark(), replySinceMark());
    tell(notes);
    return strict && !notes.empty() ? kExitUsage : kExitOk;
}

int runTerm(const ParsedArgs& args)
{
    for (const std::string& line : args.positional)
        if (!fitsBuffer(line))
            return kExitUsage;
    if (int status = preparePort(args); status != kExitOk)
        return status;
    warnAboutLatency();
    bool strict = args.has("--strict");

    if (!args.positional.empty()) {
        for (const std::string& line : args.positional)
            if (int status = runOne(line, strict); status != kExitOk)
                return status;
        return kExitOk;
    }
    // Blank lines in a script are layout, not commands.
    std::string line;
    while (std::getline(std::cin, line)) {
        if (line.ends_with('\r'))
            line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos)
            continue;
        if (!fitsBuffer(line))
            return kExitUsage;
        if (int status = runOne(line, strict); status != kExitOk)
            return status;
    }
    return kExitOk;
}

}  // namespace

const Subcommand termCommand = {"term", kOptions, runTerm};
