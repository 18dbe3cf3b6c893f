#include "link/serial.h"
#include "link/term.h"

#include <cstdio>
#include <cstdlib>

namespace {

void defaultErrexit(const char* text)
{
#ifdef _WIN32
    MessageBoxA(nullptr, text, "Error", MB_ICONERROR);
#else
    std::fprintf(stderr, "%s\n", text);
#endif
}

errexit_handler currentHandler = defaultErrexit;

}  // namespace

void set_errexit_handler(errexit_handler handler)
{
    currentHandler = handler != nullptr ? handler : defaultErrexit;
}

void errexit(const char* text)
{
    std::fflush(traceOut);
    currentHandler(text);
    std::exit(1);
}
