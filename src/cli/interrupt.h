#pragma once
// SIGINT and SIGTERM as requests to stop at the next whole row, for the runs that write rows as
// they go. Without catchInterrupts the signals end the program at once, as by default.

namespace quorvel::cli {

// From now on SIGINT and SIGTERM are noted instead of ending the program.
void catchInterrupts();
// The signal noted (SIGINT or SIGTERM), or 0.
int interruptSignal();
// For tests: forgets the signal noted.
void clearInterrupt();

} // namespace quorvel::cli
