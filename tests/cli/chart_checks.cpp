#include "tests/cli/chart_checks.h"

#include "tests/cli/cli_fixture.h"

#include <cstdio>
#include <sys/wait.h>

std::vector<std::string> svgSummary(const std::string& path)
{
    std::string command = std::string(ORVELIN_PYTHON) + " " + SVG_SUMMARY_SCRIPT + " '" + path + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return {};
    std::string output;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, got);
    int status = pclose(pipe);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        ADD_FAILURE() << "the XML parser refused " << path << ":\n" << output;
        return {};
    }
    return linesOf(output);
}

int brailleCount(const std::string& text)
{
    int count = 0;
    // U+2800..U+28FF is E2 A0..A3 xx in UTF-8.
    for (std::size_t k = 0; k + 2 < text.size(); ++k)
        if (static_cast<unsigned char>(text[k]) == 0xE2 && (static_cast<unsigned char>(text[k + 1]) & 0xFC) == 0xA0)
            ++count;
    return count;
}
