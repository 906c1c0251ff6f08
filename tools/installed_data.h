#pragma once
// Where an installed Quorvel keeps its shared files, found from the running program's own
// location, so that an installation works under any prefix it is copied or installed to.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quorvel {

// The folder of the running program, or empty when the system does not say.
std::filesystem::path programFolder();

// share/quorvel of the installation the running program belongs to (it may not exist).
std::filesystem::path installedDataFolder();

// The per-user folder in which the game is started from the desktop: $XDG_DATA_HOME/quorvel,
// else ~/.local/share/quorvel. Empty when neither variable is set.
std::filesystem::path userDataFolder();

// Makes `folder` if need be and gives it a copy of `database` as players.dat when it has none;
// a players.dat already there (the user's own, edited or repaired) is never touched. Returns what
// went wrong, or nothing.
std::optional<std::string> prepareUserDataFolder(const std::filesystem::path& folder,
                                                 const std::filesystem::path& database);

// A player database a new user folder is given a copy of: the installed one, else the one built
// beside the program in a build folder. Empty when there is neither.
std::filesystem::path installedDatabase();

// True when `folder` holds a players.dat (a link, even a broken one, counts: it is the user's).
bool hasPlayersFile(const std::filesystem::path& folder);

// Whether the game, started in `current` without --user-data, plays from `userFolder` instead,
// as --user-data does: when `current` has no players.dat and `userFolder` has one or can be
// given a copy of `database`.
bool playsFromUserFolder(const std::filesystem::path& current,
                         const std::filesystem::path& userFolder,
                         const std::filesystem::path& database);

// The message shown when the game starts with no players: the folders where players.dat was
// looked for, one a line, empty ones left out.
std::string noPlayersMessage(const std::vector<std::filesystem::path>& folders);

} // namespace quorvel
