#pragma once
// Where the game keeps its settings and where its file dialogs start, in the user's desktop
// folders: settings under $XDG_CONFIG_HOME/quorvel, dialogs in a visible folder.

#include <filesystem>
#include <optional>
#include <string>

namespace quorvel {

// $XDG_CONFIG_HOME/quorvel/quorvel.conf, else ~/.config/quorvel/quorvel.conf. Empty when neither
// variable is set.
std::filesystem::path settingsFile();

// ~/.Quorvel, where earlier versions kept the same settings. Empty without HOME.
std::filesystem::path earlierSettingsFile();

// Makes the folder of `file`; when `file` does not exist yet and `earlier` does, `file` starts as
// a copy of it (read once: `earlier` is left as it was). Returns what went wrong, or nothing.
std::optional<std::string> prepareSettingsFile(const std::filesystem::path& file,
                                               const std::filesystem::path& earlier);

// The folder a file dialog starts in when the file in hand has none: `documents` when it is an
// existing folder that is not hidden (no part of it begins with a dot), else `home`.
std::filesystem::path dialogFolder(const std::filesystem::path& documents,
                                   const std::filesystem::path& home);

} // namespace quorvel
