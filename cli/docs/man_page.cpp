#include "cli/docs/generated_docs.h"

#include "cli/subcommands.h"
#include "cli/texts/help_texts.h"
#include "orvelin_version.h"

namespace {

// Text shown as it is: backslashes and dashes escaped, a leading dot or
// apostrophe kept from being read as a request.
std::string verbatim(std::string_view text)
{
    std::string roff;
    bool lineStart = true;
    for (char c : text) {
        if (lineStart && (c == '.' || c == '\''))
            roff += "\\&";
        if (c == '\\')
            roff += "\\e";
        else if (c == '-')
            roff += "\\-";
        else
            roff += c;
        lineStart = c == '\n';
    }
    return roff;
}

}  // namespace

std::string manPage()
{
    constexpr Language kEnglish = Language::english;
    std::string page = ".TH \"ORVELIN\" 1 \"\" \"orvelin ";
    page.append(kOrvelinVersion).append("\" \"User Commands\"\n");
    page.append(".SH NAME\norvelin \\- ").append(verbatim(overviewSummary(kEnglish))).append("\n");
    page.append(".SH SYNOPSIS\n.nf\n");
    for (std::string_view line : overviewSynopsis(kEnglish))
        page.append(verbatim(line)).append("\n");
    page.append(".fi\n.SH DESCRIPTION\n.nf\n").append(verbatim(overviewBody(kEnglish))).append(".fi\n");
    page.append(".SH COMMANDS\n");
    for (const Subcommand* command : subcommands()) {
        page.append(".SS \"orvelin ").append(command->name).append("\"\n.nf\n");
        page.append(verbatim(commandHelp(*command, kEnglish))).append(".fi\n");
    }
    return page;
}
