#include "common/desktop_places.h"

#include <cstdlib>
#include <system_error>

namespace quorvel {

namespace fs = std::filesystem;

namespace {

fs::path home() {
    const char* home = std::getenv("HOME");
    return home != nullptr && home[0] == '/' ? fs::path(home) : fs::path();
}

} // namespace

fs::path settingsFile() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && config[0] == '/')
        return fs::path(config) / "quorvel/quorvel.conf";
    const fs::path folder = home();
    return folder.empty() ? fs::path() : folder / ".config/quorvel/quorvel.conf";
}

fs::path earlierSettingsFile() {
    const fs::path folder = home();
    return folder.empty() ? fs::path() : folder / ".Quorvel";
}

std::optional<std::string> prepareSettingsFile(const fs::path& file, const fs::path& earlier) {
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    if (error)
        return file.parent_path().string() + ": " + error.message();
    if (fs::symlink_status(file, error).type() != fs::file_type::not_found || earlier.empty() ||
        !fs::is_regular_file(earlier, error))
        return std::nullopt;
    fs::copy_file(earlier, file, fs::copy_options::none, error);
    if (error && error != std::errc::file_exists)
        return file.string() + ": " + error.message();
    return std::nullopt;
}

fs::path dialogFolder(const fs::path& documents, const fs::path& home) {
    std::error_code error;
    if (documents.empty() || !fs::is_directory(documents, error))
        return home;
    for (const fs::path& part : documents.lexically_normal())
        if (const std::string name = part.string(); name.size() > 1 && name[0] == '.')
            return home;
    return documents;
}

} // namespace quorvel
