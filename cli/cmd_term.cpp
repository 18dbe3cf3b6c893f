// orvelin term: raw command lines through the interpreter, trace on stdout.
#include "exit_codes.h"
#include "lasterror.h"
#include "latency_hint.h"
#include "messages.h"
#include "port_setup.h"
#include "run_line.h"
#include "subcommands.h"
#include "upload_outcome.h"

#include <iostream>
#include <string>

namespace {

bool fitsBuffer(const std::string& line)
{
    if (line.size() <= static_cast<std::size_t>(kLineMax))
        return true;
    complain(Msg::LineTooLong, kLineMax);
    return false;
}

// A failed upload stops the run: the lines after it (typically the restart
// request) assume it succeeded.
int runOne(const std::string& line)
{
    if (runLine(line) == 0)
        return kExitOk;
    complain(Msg::LineFailed, line.c_str(), text(uploadOutcome(failedUpdateOutcome(GetLastError())).text));
    return kExitUploadOpen;
}

int runTerm(const ParsedArgs& args)
{
    for (const std::string& line : args.positional)
        if (!fitsBuffer(line))
            return kExitUsage;
    if (int status = preparePort(args); status != kExitOk)
        return status;
    warnAboutLatency();

    if (!args.positional.empty()) {
        for (const std::string& line : args.positional)
            if (int status = runOne(line); status != kExitOk)
                return status;
        return kExitOk;
    }
    std::string line;
    while (std::getline(std::cin, line)) {
        if (line.ends_with('\r'))
            line.pop_back();
        if (!fitsBuffer(line))
            return kExitUsage;
        if (int status = runOne(line); status != kExitOk)
            return status;
    }
    return kExitOk;
}

}  // namespace

const Subcommand termCommand = {"term", {}, runTerm};
