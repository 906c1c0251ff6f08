// quorvel-players: builds "players.dat" from its readable source, dumps it back, and checks it.

#include <cstdio>
#include <iostream>
#include <string>

#include "records/file_io.h"
#include "records/player_database.h"
#include "records/player_source.h"

using namespace quorvel;

namespace {

int usage() {
    std::cerr << "usage: quorvel-players build SOURCE players.dat\n"
                 "       quorvel-players dump players.dat\n"
                 "       quorvel-players check players.dat\n";
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
        std::cout << formatPlayerSource(decodePlayerFile(bytes));
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
        std::cout << path << ": " << decodePlayerFile(bytes).players.size() << " players, valid\n";
    return reportProblems(path, problems);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return usage();
    const std::string command = argv[1];
    if (command == "build" && argc == 4)
        return build(argv[2], argv[3]);
    if (command == "dump" && argc == 3)
        return dump(argv[2]);
    if (command == "check" && argc == 3)
        return check(argv[2]);
    return usage();
}
