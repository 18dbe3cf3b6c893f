// Runs the orvelin program as a user would: arguments, standard input,
// environment, and either pipes or a terminal.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

struct RunOptions {
    std::string input;                                        // standard input, then end of file
    std::vector<std::pair<std::string, std::string>> env;     // set on top of the test's environment
    bool terminal = false;                                    // stdin, stdout and stderr on one pty

    RunOptions& withInput(std::string text)
    {
        input = std::move(text);
        return *this;
    }
    RunOptions& withEnv(std::string name, std::string value)
    {
        env.emplace_back(std::move(name), std::move(value));
        return *this;
    }
    RunOptions& onTerminal()
    {
        terminal = true;
        return *this;
    }
};

struct RunResult {
    int status = -1;   // exit status, or -1 when it did not exit normally
    std::string out;   // stdout (on a terminal: everything the program wrote)
    std::string err;   // stderr (empty on a terminal)
};

// Runs ORVELIN_PROGRAM with args in pipes as runOrvelin does, and calls
// during(pid) while it runs (to signal it, say).
RunResult runOrvelinWhile(const std::vector<std::string>& args, const std::function<void(int pid)>& during,
                          const RunOptions& options = {});

// Runs ORVELIN_PROGRAM with args. The locale variables are cleared and
// LANG=C set unless env says otherwise; ORVELIN_CONFIG comes from env.
RunResult runOrvelin(const std::vector<std::string>& args, const RunOptions& options = {});
