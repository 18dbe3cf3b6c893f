// The window's completion boxes and its restart question, on the console.
#pragma once

#include "cli/texts/messages.h"

#include <optional>
#include <string>
#include <vector>

// "Title: text" (or the title alone) on stderr, where the conversation with
// the operator goes while stdout carries the trace.
void announce(Msg title, std::optional<Msg> body);
// The same for several servos: "Title (IDs 01, 02): text".
void announceFor(Msg title, const std::string& ids, std::optional<Msg> body);

// Waits for Enter. False when standard input ended first.
bool waitForEnter();

// The restart question after the clear of these servos: asks the operator
// to restart them and press Enter, unless `confirmed` says it is already
// agreed (--yes).
enum class RestartOutcome { Unconfirmed, Confirmed };
RestartOutcome awaitRestart(bool confirmed, const std::vector<int>& cleared);
