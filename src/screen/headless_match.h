#pragma once
// A whole match without a display: two countries' predefined elevens, a toss from a given seed,
// and every choice made by the computer's own rules for both sides. `quorvel-sim` wraps it.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reports/scoresheet.h"

namespace quorvel {

class PlayerDatabase;
class Random;
class Scores;

// How a statistics run or a tournament prints: fixed-pitch text, comma-separated or JSON.
enum class SimFormat { Text, Csv, Json };

struct SimOptions {
    std::string playersPath = "players.dat";
    std::optional<std::uint32_t> seed; // none: the calendar time
    std::string left = "India";
    std::string right = "Pakistan";
    bool callHeads = true;
    bool electBat = true;
    std::string logPath;  // empty: no log written
    std::string savePath; // empty: no match file written
    // --matches N --stats: N matches, match i seeded with seed + i, and aggregate figures
    // printed instead of a scoresheet. --all-pairs plays the 36 pairs of countries in turn.
    int matches = 1;
    bool stats = false;
    bool allPairs = false;
    // --tournament: the nine countries' tournament, every match by the computer's rules.
    bool tournament = false;
    // --predict: one match, and each side's chance of winning after every over, from
    // `remainders` plays of the rest of the match.
    bool predict = false;
    int remainders = 2000;
    // --resume FILE: a saved match played on from where its record stops.
    std::string resumePath;
    SimFormat format = SimFormat::Text;
    // --jobs N: how many threads play a statistics run; 0 for one a core. The output is the same
    // for every count.
    int jobs = 0;
};

// Where a statistics run sends its output as it goes, so that a run of a million matches needs
// no more memory than one of a thousand. Without `write` the output gathers in SimResult.
struct SimSink {
    std::function<void(std::string_view)> write;
    std::function<void(std::int64_t done, std::int64_t total)> progress; // may be empty
};

struct SimResult {
    int exitStatus = 0;
    std::string output; // standard output: the scoresheet, the summary and the result lines
    std::string errors; // standard error
    std::string log;    // the whole commentary
    std::array<InningsCard, 2> cards{}; // the scorecard tallies of both innings
};

// Repairs and loads the database as start-up does. Returns what is wrong when it could not be
// loaded: empty when start-up has already reported it (a bad format).
std::optional<std::string> loadSimDatabase(PlayerDatabase& database, const std::string& path);

// Sets up both sides as "Select" builds and OK stores them: the right side computer-captained.
// Returns an error text when a name is no country, the names are the same, or a side fails the
// Select Teams OK check.
std::optional<std::string> setUpPredefinedSides(Scores& scores, const PlayerDatabase& database,
                                                const std::string& left, const std::string& right);

// Tosses with the seed (the user, on the left, calls heads or tails), decides who bats first,
// and plays the whole match with the match screen's logic; `random` carries every draw.
// The output holds the scoresheet text and the two innings lines; without text (a match played
// for statistics) only the scorecard tallies are kept.
SimResult playHeadlessMatch(Scores& scores, const PlayerDatabase& database, Random& random,
                            std::uint32_t seed, bool callHeads, bool electBat,
                            bool withText = true);

// Loads the command's database as start-up does; when it cannot be loaded, the command's
// result (exit status 1 and what is wrong).
std::optional<SimResult> loadSimCommandDatabase(PlayerDatabase& database,
                                                const SimOptions& options);

// The command's one match into `scores`: the two sides, the toss seed (the clock's, printed on
// standard error, when none is given) and the match played, with or without its text.
SimResult playSimMatch(const SimOptions& options, const PlayerDatabase& database, Scores& scores,
                       bool withText);

// The whole command: start-up, sides, toss, play, output and the optional files. A statistics
// run streams its output to the sink's writer when it has one.
SimResult runSim(const SimOptions& options, const SimSink& sink = {});

// Many matches and their aggregate figures (--matches N --stats): match i seeded with the first
// seed plus i, played on options.jobs threads a block of matches at a time and taken in seed
// order. As text, the aggregates; as CSV or JSON, one row a match and then the aggregates.
SimResult runSimStatistics(const SimOptions& options, const PlayerDatabase& database,
                           const SimSink& sink = {});

} // namespace quorvel
