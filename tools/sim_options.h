#pragma once
// quorvel-sim's command line: its options, its --help text and their reading into SimOptions.

#include <string>
#include <vector>

#include "command_line.h"
#include "screen/headless_match.h"

namespace quorvel {

extern const char* const kSimUsage;

struct SimCommand {
    cli::Action action = cli::Action::Run;
    SimOptions options;
    bool playersGiven = false; // --players named the database (no fall-back to the installed one)
    bool formatGiven = false;
    bool remaindersGiven = false;
    std::string error; // for a usage error: what is wrong, one line
};

// Reads the command-line arguments (without the program name).
SimCommand parseSimCommand(const std::vector<std::string>& arguments);

} // namespace quorvel
