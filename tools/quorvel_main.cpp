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

#include <unistd.h>

#include <wx/app.h>
#include <wx/cmdline.h>
#include <wx/msgout.h>

#include "command_line.h"
#include "installed_data.h"
#include "shell/CQuorvelApp.h"

wxIMPLEMENT_APP_NO_MAIN(CQuorvelApp);

namespace {

constexpr const char* kProgram = "quorvel";

// Keeps what the parser would print, so that it goes out in the programs' common form.
class KeptOutput final : public wxMessageOutput {
public:
    void Output(const wxString& text) override { text_ += text; }
    const wxString& text() const { return text_; }

private:
    wxString text_;
};

const wxCmdLineEntryDesc kOptions[] = {
    {wxCMD_LINE_SWITCH, "h", "help", "print this help and exit", wxCMD_LINE_VAL_NONE,
     wxCMD_LINE_OPTION_HELP},
    {wxCMD_LINE_SWITCH, nullptr, "version", "print the version and exit", wxCMD_LINE_VAL_NONE, 0},
    {wxCMD_LINE_SWITCH, nullptr, "user-data",
     "start in $XDG_DATA_HOME/quorvel (made on first start with a copy of the installed "
     "players.dat)",
     wxCMD_LINE_VAL_NONE, 0},
    {wxCMD_LINE_PARAM, nullptr, nullptr, "MATCH.quo", wxCMD_LINE_VAL_STRING,
     wxCMD_LINE_PARAM_OPTIONAL},
    wxCMD_LINE_DESC_END,
};

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

} // namespace

int main(int argc, char** argv) {
    wxCmdLineParser parser(kOptions, argc, argv);
    KeptOutput kept;
    wxMessageOutput* previous = wxMessageOutput::Set(&kept);
    const int parsed = parser.Parse(false);
    wxMessageOutput::Set(previous);
    if (parsed == -1) {
        std::fputs(parser.GetUsageString().utf8_str(), stdout);
        std::fputs(
            "\nPlays one-day matches of the bat-and-ball sport, simulated ball by ball. The\n"
            "player database players.dat is read from the current folder; without one\n"
            "there, the game starts as with --user-data.\n",
            stdout);
        return 0;
    }
    if (parsed != 0) {
        const wxString reason = kept.text().BeforeFirst('\n');
        std::fputs(quorvel::cli::usageError(kProgram, reason.utf8_string()).c_str(), stderr);
        return 2;
    }
    if (parser.Found("version")) {
        std::fputs(quorvel::cli::versionLine(kProgram).c_str(), stdout);
        return 0;
    }
    // The match's name as given, byte for byte: the parser's copy went through the locale.
    std::string matchPath;
    for (int i = 1, optionsEnded = 0; i < argc && parser.GetParamCount() > 0; ++i) {
        if (!optionsEnded && std::strcmp(argv[i], "--") == 0)
            optionsEnded = 1;
        else if (optionsEnded || argv[i][0] != '-' || argv[i][1] == '\0') {
            matchPath = argv[i];
            break;
        }
    }
    // Without players.dat here, an installed game plays from the user's folder as --user-data
    // does. Should that fail too, it starts here and says where it looked for players.
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    const std::filesystem::path userFolder = quorvel::userDataFolder();
    const std::filesystem::path database = quorvel::installedDatabase();
    if (parser.Found("user-data") || quorvel::playsFromUserFolder(current, userFolder, database))
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
