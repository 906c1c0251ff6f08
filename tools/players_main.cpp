// quorvel-players: builds "players.dat" from its readable source, dumps it back, and checks it.

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/checked_output.h"
#include "cli/command_line.h"
#include "records/file_io.h"
#include "records/player_check.h"
#include "records/player_database.h"
#include "records/player_source.h"

using namespace quorvel;

namespace {

constexpr const char* kProgram = "quorvel-players";

// Standard output, every write checked.
cli::CheckedOutput& out() {
    static cli::CheckedOutput output;
    return output;
}

constexpr const char* kUsage =
    "Usage: quorvel-players build SOURCE OUTPUT\n"
    "       quorvel-players dump DATABASE\n"
    "       quorvel-players check DATABASE\n"
    "Builds the binary player database from its readable source (CSV), dumps a\n"
    "database back to that source text, and checks a database as the game's\n"
    "start-up would.\n"
    "\n"
    "  build SOURCE OUTPUT   write the database made from SOURCE to OUTPUT (never\n"
    "                        over SOURCE)\n"
    "  dump DATABASE         print DATABASE as source text on standard output\n"
    "  check DATABASE        report every problem (ids, countries, styles, CR LF\n"
    "                        pairs)\n"
    "  -h, --help            print this help and exit\n"
    "      --version         print the version and exit\n"
    "\n"
    "Exit status: 0 done; 1 a file could not be read or written, or is not valid;\n"
    "2 bad command line.\n";

int usageError(const std::string& reason) {
    std::cerr << cli::usageError(kProgram, reason);
    return 2;
}

bool readFile(const std::string& path, std::string& bytes) {
    if (auto error = readWholeFile(path, bytes)) {
        std::cerr << error->message() << '\n';
        return false;
    }
    return true;
}

int reportProblems(const std::string& path, const std::vector<PlayerFileProblem>& problems) {
    for (const auto& problem : problems)
        std::cerr << path << ": " << problem.describe() << '\n';
    return problems.empty() ? 0 : 1;
}

int build(const std::string& sourcePath, const std::string& outputPath) {
    std::string text;
    if (!readFile(sourcePath, text))
        return 1;
    PlayerFile file;
    try {
        file = parsePlayerSource(text);
    } catch (const PlayerSourceError& error) {
        std::cerr << sourcePath << ": " << error.what() << '\n';
        return 1;
    }
    const std::string bytes = encodePlayerFile(file);
    // Refuse to write a database that the game's start-up would not accept as it is.
    if (reportProblems(sourcePath, checkPlayerFile(bytes)) != 0)
        return 1;
    if (auto error = writeWholeFile(outputPath, bytes)) {
        std::cerr << error->message() << '\n';
        return 1;
    }
    return 0;
}

int dump(const std::string& path) {
    std::string bytes;
    if (!readFile(path, bytes))
        return 1;
    try {
        out().write(formatPlayerSource(decodePlayerFile(bytes)));
    } catch (const ArchiveError&) {
        std::cerr << FileError{FileErrorKind::BadFormat, path}.message() << '\n';
        return 1;
    }
    return 0;
}

int check(const std::string& path) {
    std::string bytes;
    if (!readFile(path, bytes))
        return 1;
    const auto problems = checkPlayerFile(bytes);
    if (problems.empty())
        out().write(path + ": " + std::to_string(decodePlayerFile(bytes).players.size()) +
                    " players, valid\n");
    return reportProblems(path, problems);
}

int run(const std::vector<std::string>& arguments) {
    const cli::ParsedCommandLine parsed = cli::parseCommandLine(arguments, {});
    if (parsed.action == cli::Action::Help) {
        out().write(kUsage);
        return 0;
    }
    if (parsed.action == cli::Action::Version) {
        out().write(cli::versionLine(kProgram));
        return 0;
    }
    if (parsed.action == cli::Action::UsageError)
        return usageError(parsed.error);
    const std::vector<std::string>& operands = parsed.operands;
    if (operands.empty())
        return usageError("no command given (build, dump or check)");
    const std::string& command = operands[0];
    const std::size_t wanted = command == "build" ? 3 : 2;
    if (command != "build" && command != "dump" && command != "check")
        return usageError("unknown command '" + command + "'");
    if (operands.size() != wanted)
        return usageError(command + (wanted == 3 ? " takes SOURCE and OUTPUT" : " takes DATABASE"));
    if (command == "build") {
        const std::string refusal =
            cli::refuseOutputOverInput(kProgram, {operands[1]}, {operands[2]});
        if (!refusal.empty()) {
            std::cerr << refusal;
            return 2;
        }
        return build(operands[1], operands[2]);
    }
    return command == "dump" ? dump(operands[1]) : check(operands[1]);
}

} // namespace

int main(int argc, char** argv) {
    cli::endQuietlyOnClosedPipe();
    const int status = run(std::vector<std::string>(argv + 1, argv + argc));
    // Nothing written is taken for done until it has reached its file.
    if (!out().flush()) {
        std::cerr << out().failure(kProgram);
        return 1;
    }
    return status;
}
