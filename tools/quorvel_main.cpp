// quorvel: the game. Optionally the path of a saved match to open at start.
//
// The command line is read before the windowing toolkit starts, so that --help and --version
// answer on a terminal without a display. --user-data starts the game in the per-user data folder
// (the desktop entry does this): the folder gets its copy of the installed players.dat, and the
// game runs again from there, since the database is loaded from the current folder before any
// of the program's own code runs. Started in a folder without players.dat, the game does the
// same whenever the user's folder has a database or can be given one.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include <wx/app.h>

#include "cli/command_line.h"
#include "installed_data.h"
#include "shell/CQuorvelApp.h"

wxIMPLEMENT_APP_NO_MAIN(CQuorvelApp);

namespace {

namespace cli = quorvel::cli;

constexpr const char* kProgram = "quorvel";

constexpr const char* kUsage =
    "Usage: quorvel [--user-data] [MATCH.quo]\n"
    "       quorvel --help | --version\n"
    "Plays one-day matches of the bat-and-ball sport, simulated ball by ball, and\n"
    "opens MATCH.quo, a saved match, when one is named.\n"
    "\n"
    "  --user-data           start in $XDG_DATA_HOME/quorvel (~/.local/share/quorvel\n"
    "                        when unset), made on first start with a copy of the\n"
    "                        installed players.dat\n"
    "  -h, --help            print this help and exit\n"
    "      --version         print the version and exit\n"
    "\n"
    "The player database players.dat is read from the current folder; without one\n"
    "there, the game starts as with --user-data.\n"
    "\n"
    "Exit status: 0 played; 1 start-up failed (the reason is shown); 2 bad command\n"
    "line.\n";

constexpr cli::OptionSpec kOptions[] = {{"--user-data", false}};

// The running program's own file, so that the game started again keeps its name (the process
// is named after the file it runs). The kernel's link to it when the file is gone or replaced.
std::string ownProgramFile() {
    std::error_code error;
    const std::filesystem::path file = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !std::filesystem::is_regular_file(file, error))
        return "/proc/self/exe";
    return file.string();
}

// Moves to the user's data folder, prepared on first use with a copy of `database`, and runs
// the game again there. Returns only on failure, having said why on standard error.
void restartInUserData(const char* program, std::string matchPath,
                       const std::filesystem::path& folder, const std::filesystem::path& database) {
    namespace fs = std::filesystem;
    if (folder.empty()) {
        std::fprintf(stderr, "%s: neither XDG_DATA_HOME nor HOME is set\n", kProgram);
        return;
    }
    if (auto problem = quorvel::prepareUserDataFolder(folder, database)) {
        std::fprintf(stderr, "%s: %s\n", kProgram, problem->c_str());
        return;
    }
    std::error_code error;
    if (!matchPath.empty())
        matchPath = fs::absolute(matchPath, error).string();
    const fs::path previous = fs::current_path(error);
    if (::chdir(folder.c_str()) != 0) {
        std::fprintf(stderr, "%s: %s: %s\n", kProgram, folder.c_str(), std::strerror(errno));
        return;
    }
    char* const arguments[] = {const_cast<char*>(program),
                               matchPath.empty() ? nullptr : const_cast<char*>(matchPath.c_str()),
                               nullptr};
    const std::string file = ownProgramFile();
    ::execv(file.c_str(), arguments);
    std::fprintf(stderr, "%s: cannot start again in %s: %s\n", kProgram, folder.c_str(),
                 std::strerror(errno));
    if (!previous.empty() && ::chdir(previous.c_str()) != 0)
        std::fprintf(stderr, "%s: %s: %s\n", kProgram, previous.c_str(), std::strerror(errno));
}

// Exit status 0 once standard output has been written out, else 1 with the reason (a full disk);
// a closed pipe is no news.
int standardOutputWritten() {
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return 0;
    if (errno != EPIPE)
        std::fprintf(stderr, "%s: cannot write standard output: %s\n", kProgram,
                     std::strerror(errno));
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    // Read as the tools read theirs, so that all three programs word a usage error alike.
    const cli::ParsedCommandLine parsed =
        cli::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc), kOptions);
    switch (parsed.action) {
    case cli::Action::Help:
        std::fputs(kUsage, stdout);
        return standardOutputWritten();
    case cli::Action::Version:
        std::fputs(cli::versionLine(kProgram).c_str(), stdout);
        return standardOutputWritten();
    case cli::Action::UsageError:
        std::fputs(cli::usageError(kProgram, parsed.error).c_str(), stderr);
        return 2;
    case cli::Action::Run:
        break;
    }
    if (parsed.operands.size() > 1) {
        std::fputs(
            cli::usageError(kProgram, "unexpected argument '" + parsed.operands[1] + "'").c_str(),
            stderr);
        return 2;
    }
    // The match's name as given, byte for byte.
    const std::string matchPath = parsed.operands.empty() ? std::string() : parsed.operands[0];
    const bool userData = !parsed.options.empty();

    // Without players.dat here, an installed game plays from the user's folder as --user-data
    // does. Should that fail too, it starts here and says where it looked for players.
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    const std::filesystem::path userFolder = quorvel::userDataFolder();
    const std::filesystem::path database = quorvel::installedDatabase();
    if (userData || quorvel::playsFromUserFolder(current, userFolder, database))
        restartInUserData(argv[0], matchPath, userFolder, database);
    setNoPlayersMessage(
        quorvel::noPlayersMessage({current, userFolder, quorvel::installedDataFolder()}));

    // The toolkit sees only the program's name and the match, named so that it cannot be taken
    // for one of the toolkit's own options.
    std::string absolute =
        matchPath.empty() ? std::string() : std::filesystem::absolute(matchPath, error).string();
    char* arguments[] = {argv[0], absolute.empty() ? nullptr : absolute.data(), nullptr};
    int count = absolute.empty() ? 1 : 2;
    return wxEntry(count, arguments);
}
