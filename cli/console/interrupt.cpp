#include "cli/console/interrupt.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t interruptSeen = 0;

extern "C" void onInterrupt(int signal)
{
    interruptSeen = signal;
}

}  // namespace

void catchInterrupt()
{
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
}

bool interrupted()
{
    return interruptSeen != 0;
}

int interruptSignal()
{
    return interruptSeen;
}
