// The operations' box texts in the window's language. ops' English texts are
// the source texts of the "Operations" context, and the Japanese translation
// of each is ops' own Japanese text, the one the Win32 window shows.
#pragma once

#include "ops/operator_texts.h"

#include <QString>

QString operatorText(OperatorText text);
