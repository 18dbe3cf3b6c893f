// The scan's rows of link_bench: `orvelin scan` end to end over virtual
// buses paced at the line's rate behind a latency timer, each row's median
// against the floor the wire sets, every run's listing checked.
#pragma once

// Prints the table. False when a run listed a servo that is not on the bus
// or missed one that is, or when the virtual servo would not start: the row
// says which, in place of a time.
bool benchScan(int runs);
