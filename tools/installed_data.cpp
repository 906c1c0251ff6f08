#include "installed_data.h"

#include <cstdlib>
#include <system_error>

#ifndef QUORVEL_DATA_FROM_BIN
#define QUORVEL_DATA_FROM_BIN "../share/quorvel"
#endif

namespace quorvel {

namespace fs = std::filesystem;

fs::path programFolder() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : program.parent_path();
}

fs::path installedDataFolder() {
    const fs::path here = programFolder();
    return here.empty() ? fs::path() : (here / QUORVEL_DATA_FROM_BIN).lexically_normal();
}

fs::path userDataFolder() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && data[0] == '/')
        return fs::path(data) / "quorvel";
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0')
        return fs::path(home) / ".local/share/quorvel";
    return fs::path();
}

fs::path installedDatabase() {
    std::error_code error;
    for (const fs::path& folder : {installedDataFolder(), programFolder()})
        if (!folder.empty() && fs::is_regular_file(folder / "players.dat", error))
            return folder / "players.dat";
    return fs::path();
}

bool hasPlayersFile(const fs::path& folder) {
    std::error_code error;
    return fs::symlink_status(folder / "players.dat", error).type() != fs::file_type::not_found;
}

bool playsFromUserFolder(const fs::path& current, const fs::path& userFolder,
                         const fs::path& database) {
    if (userFolder.empty() || hasPlayersFile(current))
        return false;
    std::error_code error;
    return hasPlayersFile(userFolder) ||
           (!database.empty() && fs::is_regular_file(database, error));
}

std::string noPlayersMessage(const std::vector<fs::path>& folders) {
    std::string text = "No players could be read, so the player lists are empty. The player "
                       "database players.dat was looked for in:\n";
    for (const fs::path& folder : folders)
        if (!folder.empty())
            text += "\n    " + folder.string();
    return text + "\n\nInstall the game, or start it in a folder holding players.dat.";
}

std::optional<std::string> prepareUserDataFolder(const fs::path& folder, const fs::path& database) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error)
        return folder.string() + ": " + error.message();
    const fs::path target = folder / "players.dat";
    if (hasPlayersFile(folder))
        return std::nullopt;
    // Without overwrite: a copy made meanwhile by another start is kept as it is.
    fs::copy_file(database, target, fs::copy_options::none, error);
    if (error && error != std::errc::file_exists)
        return target.string() + ": " + error.message();
    return std::nullopt;
}

} // namespace quorvel
