// Ctrl-C for the subcommands that loop (scan, watch): they finish the
// exchange in progress and close the port, so a pseudo-terminal is not left
// locked against the next program.
#pragma once

void catchInterrupt();
bool interrupted();
