#include "cli/interrupt.h"

#include <csignal>

namespace quorvel::cli {

namespace {

volatile std::sig_atomic_t noted = 0;

extern "C" void noteSignal(int signal) { noted = signal; }

} // namespace

void catchInterrupts() {
    struct sigaction action {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

int interruptSignal() { return noted; }

void clearInterrupt() { noted = 0; }

} // namespace quorvel::cli
