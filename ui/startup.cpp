// What the program sets up before its window: how the link's one fatal
// error is shown, and where the diagnostic trace goes.
#include "link/serial.h"
#include "link/term.h"
#include "ui/window.h"

#include <cstdio>
#include <cstdlib>

namespace {

// No owner: the window may be in any state when a command cannot reach
// its port.
void errexitBox(const char* text)
{
    saveStagedValuesForRecovery();
    MessageBoxW(nullptr, wideText(text).c_str(), wideText(wording(OperatorText::PortOpenFatalTitle).japanese).c_str(),
                MB_OK | MB_ICONERROR);
}

}  // namespace

void installErrexitBox()
{
    set_errexit_handler(errexitBox);
}

void openTraceFile()
{
    const char* path = std::getenv("ORVELIN_TRACE");
    if (path == nullptr || *path == '\0')
        return;
    if (FILE* file = std::fopen(path, "w"))
        traceOut = file;
}
