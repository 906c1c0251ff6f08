// quorvel-sim: plays one whole match headless and prints its scoresheet, the first innings'
// summary and the result.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "command_line.h"
#include "installed_data.h"
#include "predict/match_resume.h"
#include "predict/predict_report.h"
#include "sim_options.h"
#include "tournament/tournament_report.h"

using namespace quorvel;

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    SimCommand command = parseSimCommand(arguments);
    switch (command.action) {
    case cli::Action::Help:
        std::fputs(kSimUsage, stdout);
        return 0;
    case cli::Action::Version:
        std::fputs(cli::versionLine("quorvel-sim").c_str(), stdout);
        return 0;
    case cli::Action::UsageError:
        std::fputs(cli::usageError("quorvel-sim", command.error).c_str(), stderr);
        return 2;
    case cli::Action::Run:
        break;
    }
    SimOptions& options = command.options;
    // Without --players and without a players.dat here, the installed database is played.
    std::error_code missing;
    if (!command.playersGiven && !std::filesystem::exists(options.playersPath, missing)) {
        const auto installed = installedDataFolder() / "players.dat";
        if (!installed.empty() && std::filesystem::exists(installed, missing))
            options.playersPath = installed.string();
    }
    const std::string refusal =
        cli::refuseOutputOverInput("quorvel-sim", {options.playersPath, options.resumePath},
                                   {options.logPath, options.savePath});
    if (!refusal.empty()) {
        std::fputs(refusal.c_str(), stderr);
        return 2;
    }
    // A statistics run prints as it goes, with a progress line on a terminal's standard error.
    SimSink sink;
    sink.write = [](std::string_view text) { std::fwrite(text.data(), 1, text.size(), stdout); };
    if (::isatty(STDERR_FILENO))
        sink.progress = [](std::int64_t done, std::int64_t total) {
            std::fprintf(stderr, "\r%lld of %lld matches played", static_cast<long long>(done),
                         static_cast<long long>(total));
            if (done == total)
                std::fputs("\n", stderr);
        };
    const SimResult result = options.tournament            ? runTournamentSim(options)
                             : options.predict             ? runPredictSim(options)
                             : !options.resumePath.empty() ? runResumeSim(options)
                                                           : runSim(options, sink);
    std::fwrite(result.output.data(), 1, result.output.size(), stdout);
    std::fflush(stdout);
    std::fwrite(result.errors.data(), 1, result.errors.size(), stderr);
    return result.exitStatus;
}
