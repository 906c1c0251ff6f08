// quorvel-sim: plays one whole match headless and prints its scoresheet, the first innings'
// summary and the result.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "cli/aggregate_command.h"
#include "cli/checked_output.h"
#include "cli/command_line.h"
#include "cli/interrupt.h"
#include "cli/predict_command.h"
#include "cli/resume_command.h"
#include "cli/sim_command.h"
#include "cli/sim_options.h"
#include "cli/tournament_command.h"
#include "installed_data.h"

using namespace quorvel;

int main(int argc, char** argv) {
    cli::endQuietlyOnClosedPipe();
    // Standard output, every write checked: nothing is taken for done until it is out.
    cli::CheckedOutput out;
    const auto written = [&out](int status) {
        if (out.flush())
            return status;
        std::fputs(out.failure("quorvel-sim").c_str(), stderr);
        return 1;
    };
    std::vector<std::string> arguments(argv + 1, argv + argc);
    SimCommand command = parseSimCommand(arguments);
    switch (command.action) {
    case cli::Action::Help:
        out.write(kSimUsage);
        return written(0);
    case cli::Action::Version:
        out.write(cli::versionLine("quorvel-sim"));
        return written(0);
    case cli::Action::UsageError:
        std::fputs(cli::usageError("quorvel-sim", command.error).c_str(), stderr);
        return 2;
    case cli::Action::Run:
        break;
    }
    SimOptions& options = command.options;
    if (options.aggregate) {
        SimResult result = runAggregateSim(options);
        out.write(result.output);
        std::fwrite(result.errors.data(), 1, result.errors.size(), stderr);
        return written(result.exitStatus);
    }
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
    // A statistics run prints as it goes, with a progress line on a terminal's standard error,
    // and stops at a whole row when interrupted or when its output fails.
    SimSink sink;
    sink.write = [&out](std::string_view text) { out.write(text); };
    if (::isatty(STDERR_FILENO))
        sink.progress = [](std::int64_t done, std::int64_t total) {
            std::fprintf(stderr, "\r%lld of %lld matches played", static_cast<long long>(done),
                         static_cast<long long>(total));
            if (done == total)
                std::fputs("\n", stderr);
        };
    if (options.stats) {
        cli::catchInterrupts();
        sink.stop = [&out] { return cli::interruptSignal() != 0 || out.failed(); };
    }
    SimResult result = options.tournament            ? runTournamentSim(options)
                       : options.predict             ? runPredictSim(options)
                       : !options.resumePath.empty() ? runResumeSim(options)
                                                     : runSim(options, sink);
    out.write(result.output);
    const bool complete = out.flush();
    if (const int signal = cli::interruptSignal(); signal != 0 && result.stopped) {
        result.errors += "quorvel-sim: interrupted after " + std::to_string(result.played) +
                         " of " + std::to_string(options.matches) + " matches\n";
        result.exitStatus = 128 + signal;
    }
    std::fwrite(result.errors.data(), 1, result.errors.size(), stderr);
    return complete ? result.exitStatus : written(result.exitStatus);
}
