#include "cli/console/restart_prompt.h"

#include <cstdio>

void announce(Msg title, std::optional<Msg> body)
{
    std::fflush(stdout);
    if (body)
        std::fprintf(stderr, "%s: %s\n", text(title), text(*body));
    else
        std::fprintf(stderr, "%s\n", text(title));
    std::fflush(stderr);
}

void announceFor(Msg title, const std::string& ids, std::optional<Msg> body)
{
    std::fflush(stdout);
    std::string head = format(Msg::ForIds, text(title), ids.c_str());
    if (body)
        std::fprintf(stderr, "%s: %s\n", head.c_str(), text(*body));
    else
        std::fprintf(stderr, "%s\n", head.c_str());
    std::fflush(stderr);
}

bool waitForEnter()
{
    for (int c = std::getchar(); c != EOF; c = std::getchar())
        if (c == '\n')
            return true;
    return false;
}

RestartOutcome awaitRestart(bool confirmed, const std::vector<int>& cleared)
{
    std::optional<Msg> question;
    if (!confirmed)
        question = cleared.size() > 1 ? Msg::RestartPromptMany : Msg::RestartPrompt;
    if (cleared.size() > 1) {
        std::string ids;
        for (int id : cleared)
            ids += (ids.empty() ? "" : ", ") + format(Msg::ServoId, id);
        announceFor(Msg::ClearDoneTitle, ids, question);
    } else {
        announce(Msg::ClearDoneTitle, question);
    }
    if (confirmed)
        return RestartOutcome::Confirmed;
    return waitForEnter() ? RestartOutcome::Confirmed : RestartOutcome::Unconfirmed;
}
