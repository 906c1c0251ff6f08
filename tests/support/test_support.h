#pragma once
// Helpers shared by the core tests: scratch folders and small invented databases.

#include <filesystem>
#include <string>

#include "records/player_database.h"

namespace quorvel::test {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);

// Runs a shell command line; its standard output and standard error are kept apart.
struct CommandResult {
    int status = -1; // the exit status, or -1 when it did not exit normally
    std::string out;
    std::string err;
};
CommandResult runCommand(const std::string& commandLine);

// A player with the given names, country, styles and figures; the rest zero.
Player makePlayer(int id, const std::string& surname, const std::string& firstName, int country = 4,
                  int battingFlags = 0, int bowlingFlags = 0, int keeperFlags = 0);

// The bundled database, decoded from the players.dat the build produced.
PlayerFile bundledPlayers();

} // namespace quorvel::test
