// Ctrl-C and SIGTERM for the subcommands that loop or take long (scan,
// watch, update): they finish the exchange in progress and close the port,
// so a pseudo-terminal is not left locked against the next program.
#pragma once

void catchInterrupt();
bool interrupted();
// The signal that interrupted, 0 before one came.
int interruptSignal();
