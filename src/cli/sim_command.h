#pragma once
// quorvel-sim's modes as commands: one match, a statistics run, and the results they give the
// program (its standard output, standard error and exit status).

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "cli/sim_options.h"

namespace quorvel {

class MatchStatistics;
class PlayerDatabase;
class Scores;
namespace cli {
class TableWriter;
}

// Exit statuses of quorvel-sim.
constexpr int kExitFileError = 1;
constexpr int kExitBadSetUp = 2;
constexpr int kExitStuck = 3;

// Where a statistics run sends its output as it goes, so that a run of a million matches needs
// no more memory than one of a thousand. Without `write` the output gathers in SimResult.
struct SimSink {
    std::function<void(std::string_view)> write;
    std::function<void(std::int64_t done, std::int64_t total)> progress; // may be empty
    // Asked after each match taken; true stops the run there, every row written whole and no
    // aggregates after them (an interrupt, an output that failed). May be empty.
    std::function<bool()> stop;
};

struct SimResult {
    int exitStatus = 0;
    std::string output; // standard output: the scoresheet, the summary and the result lines
    std::string errors; // standard error
    std::string log;    // the whole commentary
    // A statistics run that its sink stopped: the matches taken before it stopped.
    bool stopped = false;
    std::int64_t played = 0;
};

// "quorvel-sim: " before a problem, with a line end.
std::string simProblem(const std::string& problem);

// The seed given, or the clock's.
std::uint32_t seedOf(const SimOptions& options);

// Loads the command's database as start-up does; when it cannot be loaded, the command's
// result (exit status 1 and what is wrong).
std::optional<SimResult> loadSimCommandDatabase(PlayerDatabase& database,
                                                const SimOptions& options);

// The command's one match into `scores`: the two sides, the toss seed (the clock's, printed on
// standard error, when none is given) and the match played, with or without its text.
SimResult playSimMatch(const SimOptions& options, const PlayerDatabase& database, Scores& scores,
                       bool withText);

// Writes the match's log and record where the options name files, noting a failure in the
// result (exit status 1 and the file's error).
void writeMatchFiles(const SimOptions& options, const Scores& scores, SimResult& result);

// The whole command: start-up, sides, toss, play, output and the optional files. A statistics
// run streams its output to the sink's writer when it has one.
SimResult runSim(const SimOptions& options, const SimSink& sink = {});

// Many matches and their aggregate figures (--matches N --stats), in seed order whatever the
// number of threads. As text, the aggregates; as CSV or JSON, one row a match and then the
// aggregates.
SimResult runSimStatistics(const SimOptions& options, const PlayerDatabase& database,
                           const SimSink& sink = {});

// What a statistics run names its sides: "India v Pakistan", or kAllPairsSides.
extern const char* const kAllPairsSides;
std::string statisticsSides(const SimOptions& options);

// The text form of a finished run's aggregates: its headline ("40 matches, India v Pakistan,
// seeds 9 to 48") and the report.
std::string statisticsReport(std::int64_t matches, const std::string& sides,
                             std::uint32_t firstSeed, const MatchStatistics& statistics);
// The CSV and JSON form, after the run's rows: the aggregates table, and the end of the JSON.
void writeStatisticsAggregates(cli::TableWriter& writer, const MatchStatistics& statistics);

} // namespace quorvel
