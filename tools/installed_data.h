#pragma once
// Where an installed Quorvel keeps its shared files, found from the running program's own
// location, so that an installation works under any prefix it is copied or installed to.

#include <filesystem>
#include <optional>
#include <string>

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

} // namespace quorvel
