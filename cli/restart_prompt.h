// The window's completion boxes and its restart question, on the console.
#pragma once

#include "messages.h"

#include <optional>

// "Title: text" (or the title alone) on stderr, where the conversation with
// the operator goes while stdout carries the trace.
void announce(Msg title, std::optional<Msg> body);

// Waits for Enter. False when standard input ended first.
bool waitForEnter();
