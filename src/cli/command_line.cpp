#include "cli/command_line.h"

#include <algorithm>

#include <sys/stat.h>

#ifndef QUORVEL_VERSION
#define QUORVEL_VERSION "unknown"
#endif

namespace quorvel::cli {

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments,
                                   std::span<const OptionSpec> options) {
    ParsedCommandLine parsed;
    // --help and --version are answered even after a mistake elsewhere on the line.
    for (const std::string& argument : arguments) {
        if (argument == "--")
            break;
        if (argument == "--help" || argument == "-h") {
            parsed.action = Action::Help;
            return parsed;
        }
        if (argument == "--version") {
            parsed.action = Action::Version;
            return parsed;
        }
    }
    auto fail = [&parsed](std::string reason) {
        parsed.action = Action::UsageError;
        parsed.error = std::move(reason);
        return parsed;
    };
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument == "-" || argument.empty() || argument[0] != '-') {
            parsed.operands.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const auto known =
            std::find_if(options.begin(), options.end(),
                         [&name](const OptionSpec& one) { return one.name == name; });
        if (known == options.end())
            return fail("unknown option '" + name + "'");
        if (!known->takesValue) {
            if (equals != std::string::npos)
                return fail("option '" + name + "' takes no value");
            parsed.options.emplace_back(name, std::string());
        } else if (equals != std::string::npos) {
            parsed.options.emplace_back(name, argument.substr(equals + 1));
        } else if (i + 1 < arguments.size()) {
            parsed.options.emplace_back(name, arguments[++i]);
        } else {
            return fail("option '" + name + "' needs a value");
        }
    }
    return parsed;
}

std::string usageError(std::string_view program, std::string_view reason) {
    std::string text(program);
    text.append(": ").append(reason).append("\nTry '").append(program).append(" --help'.\n");
    return text;
}

std::string versionLine(std::string_view program) {
    return std::string(program) + " " QUORVEL_VERSION "\n";
}

bool sameFile(const std::string& first, const std::string& second) {
    struct stat a {};
    struct stat b {};
    return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 &&
           a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

std::string refuseOutputOverInput(std::string_view program, const std::vector<std::string>& inputs,
                                  const std::vector<std::string>& outputs) {
    for (const std::string& output : outputs)
        for (const std::string& input : inputs)
            if (!output.empty() && !input.empty() && sameFile(output, input))
                return std::string(program) + ": " + output + " is the input " + input +
                       "; refusing to write over it\n";
    return std::string();
}

} // namespace quorvel::cli
