#pragma once
// The command-line conventions shared by quorvel-sim and quorvel-players: long options given as
// "--name value" or "--name=value", "--" ending the options, --help and --version answered
// before anything else, and a usage error reported as "PROGRAM: reason" plus a pointer to --help.

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvel::cli {

struct OptionSpec {
    std::string_view name; // with its leading dashes: "--seed"
    bool takesValue = false;
};

enum class Action { Run, Help, Version, UsageError };

struct ParsedCommandLine {
    Action action = Action::Run;
    std::vector<std::pair<std::string, std::string>> options; // in the order given
    std::vector<std::string> operands;
    std::string error; // for a usage error: what is wrong, one line
};

// Reads the arguments (without the program name) against the program's options. --help (or -h)
// and --version need no declaration; the first of them given wins over everything else.
ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments,
                                   std::span<const OptionSpec> options);

// "PROGRAM: reason\nTry 'PROGRAM --help'.\n"
std::string usageError(std::string_view program, std::string_view reason);

// "PROGRAM VERSION\n"
std::string versionLine(std::string_view program);

// True when both paths name one existing file (the same device and inode), whatever their
// spelling or links.
bool sameFile(const std::string& first, const std::string& second);

// A tool must never write over its own input: returns the refusal for the first output that is
// one of the inputs ("PROGRAM: OUTPUT is the input INPUT; refusing to write over it"), or empty.
std::string refuseOutputOverInput(std::string_view program, const std::vector<std::string>& inputs,
                                  const std::vector<std::string>& outputs);

} // namespace quorvel::cli
