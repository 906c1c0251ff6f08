#include "support/test_support.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <sys/wait.h>

namespace quorvel::test {

ScratchDir::ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quorvel-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a scratch folder");
    path_ = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    // Give back write permission first, so read-only test files can be removed.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored))
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

CommandResult runCommand(const std::string& commandLine) {
    CommandResult result;
    ScratchDir dir;
    const std::string errors = dir.file("stderr");
    FILE* pipe = ::popen((commandLine + " 2>'" + errors + "'").c_str(), "r");
    if (pipe == nullptr)
        return result;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        result.out.append(buffer, n);
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = readBytes(errors);
    return result;
}

Player makePlayer(int id, const std::string& surname, const std::string& firstName, int country,
                  int battingFlags, int bowlingFlags, int keeperFlags) {
    Player player;
    player.playerId = id;
    player.surname = surname;
    player.firstName = firstName;
    player.country = country;
    player.battingFlags = battingFlags;
    player.bowlingFlags = bowlingFlags;
    player.keeperFlags = keeperFlags;
    return player;
}

PlayerFile bundledPlayers() { return decodePlayerFile(readBytes(QUORVEL_PLAYERS_DAT)); }

} // namespace quorvel::test
