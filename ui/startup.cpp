// What the program sets up before its window: how the link's one fatal
// error is shown, and where the diagnostic trace goes.
#include "serial.h"
#include "term.h"
#include "window.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::wstring fromUtf8(const char* text)
{
    int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), length);
    wide.resize(wide.size() - 1);
    return wide;
}

// No owner: the window may be in any state when a command cannot reach
// its port.
void errexitBox(const char* text)
{
    MessageBoxW(nullptr, fromUtf8(text).c_str(), L"Error", MB_OK | MB_ICONERROR);
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
