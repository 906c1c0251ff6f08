#include "cli/sim_command.h"

#include <algorithm>
#include <ctime>
#include <thread>

#include "cli/shard_rows.h"
#include "cli/table_writer.h"
#include "common/text_format.h"
#include "engine/random.h"
#include "records/file_io.h"
#include "records/match_outcome.h"
#include "records/player_database.h"
#include "records/scores.h"
#include "records/scores_file.h"
#include "reports/match_stats.h"
#include "screen/headless_match.h"
#include "screen/statistics_run.h"
#include "setup/team_selection.h"

namespace quorvel {

std::string simProblem(const std::string& problem) { return "quorvel-sim: " + problem + "\n"; }

std::uint32_t seedOf(const SimOptions& options) {
    return options.seed ? *options.seed : static_cast<std::uint32_t>(std::time(nullptr));
}

namespace {

SimResult failedWith(int status, const std::string& problem) {
    SimResult failed;
    failed.exitStatus = status;
    failed.errors = simProblem(problem);
    return failed;
}

// A match that could not be finished: its text so far, and why.
SimResult stuck(std::string text) {
    SimResult result = failedWith(kExitStuck, "no bowler could bowl the next over");
    result.output = std::move(text);
    return result;
}

std::string oversOfBalls(int balls) {
    return std::to_string(balls / kBallsPerOver) + "." + std::to_string(balls % kBallsPerOver);
}

const std::vector<std::string> kMatchColumns = {
    "seed",          "first",         "second",       "toss",        "first_runs",
    "first_wickets", "first_overs",   "first_extras", "second_runs", "second_wickets",
    "second_overs",  "second_extras", "result"};

// The row of one match, in the order of kMatchColumns: its seed, the sides in batting order,
// the toss winner, each innings' total, wickets, overs and extras, and the result.
void addMatchValues(std::vector<cli::Cell>& values, const StatisticsMatch& match) {
    const Scores& sides = *match.sides;
    const std::string& first = sides.teams[match.firstBatting].name();
    const std::string& second = sides.teams[1 - match.firstBatting].name();
    const InningsSummary innings[2] = {summarizeInnings(match.cards[0]),
                                       summarizeInnings(match.cards[1])};
    values.emplace_back(match.seed);
    values.emplace_back(first);
    values.emplace_back(second);
    values.emplace_back(sides.teams[match.tossWinner].name());
    for (const InningsSummary& figures : innings) {
        values.emplace_back(figures.runs);
        values.emplace_back(figures.wickets);
        values.emplace_back(oversOfBalls(figures.balls));
        values.emplace_back(figures.byes + figures.legByes + figures.wides + figures.noBalls);
    }
    values.emplace_back(outcomeText(
        matchOutcome(innings[0].runs, innings[1].runs, innings[1].wickets), first, second));
}

std::string trimmed(const char* label) {
    std::string text(label);
    return text.substr(std::min(text.find_first_not_of(' '), text.size()));
}

} // namespace

const char* const kAllPairsSides = "all 36 pairs of countries";

std::string statisticsSides(const SimOptions& options) {
    return options.allPairs ? std::string(kAllPairsSides) : options.left + " v " + options.right;
}

std::string statisticsReport(std::int64_t matches, const std::string& sides,
                             std::uint32_t firstSeed, const MatchStatistics& statistics) {
    return std::to_string(matches) + " matches, " + sides + ", seeds " + std::to_string(firstSeed) +
           " to " + std::to_string(firstSeed + static_cast<std::uint32_t>(matches - 1)) + "\n" +
           statistics.report();
}

// The aggregate figures after the rows: a table of their own in CSV, the closing member of the
// JSON object.
void writeStatisticsAggregates(cli::TableWriter& writer, const MatchStatistics& statistics) {
    const bool csv = writer.format() == cli::OutputFormat::Csv;
    writer.beginTable("aggregates", {"figure", "value", "spread_or_count"});
    for (const StatFigure& figure : statistics.figures()) {
        const cli::Cell value = cli::Cell::number("%.4f", figure.value);
        const std::string label = trimmed(figure.label);
        if (figure.kind == StatFigure::Kind::Rate)
            writer.row(csv ? cli::Row{{"figure", label}, {"value", value}, {"", ""}}
                           : cli::Row{{"figure", label}, {"value", value}});
        else if (figure.kind == StatFigure::Kind::Share)
            writer.row(
                {{"figure", label}, {csv ? "value" : "percent", value}, {"count", figure.count}});
        else
            writer.row({{"figure", label},
                        {csv ? "value" : "mean", value},
                        {"spread", cli::Cell::number("%.4f", figure.spread)}});
    }
    writer.endTable();
    writer.finish();
}

SimResult runSimStatistics(const SimOptions& options, const PlayerDatabase& database,
                           const SimSink& sink) {
    StatisticsPlan plan;
    plan.firstSeed = seedOf(options);
    plan.matches = options.matches;
    plan.callHeads = options.callHeads;
    plan.electBat = options.electBat;
    plan.threads = options.jobs > 0
                       ? options.jobs
                       : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    std::vector<std::pair<std::string, std::string>> pairs;
    if (options.allPairs) {
        for (int a = 0; a < kCountryCount; ++a)
            for (int b = a + 1; b < kCountryCount; ++b)
                pairs.emplace_back(countryNameAt(a), countryNameAt(b));
    } else {
        pairs.emplace_back(options.left, options.right);
    }
    // Sides are set up once a pair; a pair that cannot play stops the run before any ball.
    plan.sides.resize(std::min(pairs.size(), static_cast<std::size_t>(options.matches)));
    for (std::size_t pair = 0; pair < plan.sides.size(); ++pair)
        if (auto problem = setUpPredefinedSides(plan.sides[pair], database, pairs[pair].first,
                                                pairs[pair].second))
            return failedWith(kExitBadSetUp, *problem);

    SimResult result;
    const auto emit = [&sink, &result](std::string_view text) {
        if (sink.write)
            sink.write(text);
        else
            result.output += text;
    };
    cli::TableWriter writer(options.format, emit);
    const std::string sides = statisticsSides(options);
    if (options.format != cli::OutputFormat::Text) {
        writer.member("first_seed", plan.firstSeed);
        std::vector<std::string> columns = kMatchColumns;
        if (options.shardRows)
            columns.insert(columns.end(), shardColumns().begin(), shardColumns().end());
        writer.beginTable("matches", columns);
    }
    MatchStatistics statistics;
    std::vector<cli::Cell> values; // a row's, its room kept from row to row
    std::optional<SimResult> failure;
    std::int64_t played = 0;
    playStatistics(
        plan, database,
        [&](const StatisticsMatch& match) {
            if (!match.finished) {
                failure = stuck(match.text);
                return false;
            }
            const Scores& pair = *match.sides;
            statistics.addMatch(match.cards, pair.teams[match.firstBatting].name(),
                                pair.teams[1 - match.firstBatting].name(), database);
            if (options.format != cli::OutputFormat::Text) {
                values.clear();
                addMatchValues(values, match);
                if (options.shardRows)
                    addShardValues(values, match, sides, database);
                writer.valueRow(values);
            }
            ++played;
            return !(sink.stop && sink.stop());
        },
        [&](int done) {
            if (sink.progress)
                sink.progress(done, options.matches);
        });
    if (failure)
        return std::move(*failure);
    if (played < options.matches) {
        result.stopped = true;
        result.played = played;
        return result;
    }
    if (options.format != cli::OutputFormat::Text) {
        writer.endTable();
        writeStatisticsAggregates(writer, statistics);
        return result;
    }
    emit(statisticsReport(options.matches, sides, plan.firstSeed, statistics));
    return result;
}

std::optional<SimResult> loadSimCommandDatabase(PlayerDatabase& database,
                                                const SimOptions& options) {
    const auto problem = loadSimDatabase(database, options.playersPath);
    if (!problem)
        return std::nullopt;
    SimResult failed;
    failed.exitStatus = kExitFileError;
    if (!problem->empty())
        failed.errors = simProblem(*problem);
    return failed;
}

SimResult playSimMatch(const SimOptions& options, const PlayerDatabase& database, Scores& scores,
                       bool withText) {
    if (auto problem = setUpPredefinedSides(scores, database, options.left, options.right))
        return failedWith(kExitBadSetUp, *problem);
    const std::uint32_t seed = seedOf(options);
    Random random;
    PlayedMatch played = playHeadlessMatch(scores, database, random, seed, options.callHeads,
                                           options.electBat, withText);
    SimResult result = played.finished ? SimResult{} : stuck(std::string());
    result.output = std::move(played.text);
    result.log = std::move(played.log);
    if (!options.seed)
        result.errors.insert(0, simProblem("seed " + std::to_string(seed) +
                                           " (replay with --seed " + std::to_string(seed) + ")"));
    return result;
}

SimResult runSim(const SimOptions& options, const SimSink& sink) {
    PlayerDatabase database;
    if (auto failed = loadSimCommandDatabase(database, options))
        return std::move(*failed);
    if (options.stats)
        return runSimStatistics(options, database, sink);
    Scores scores;
    SimResult result = playSimMatch(options, database, scores, true);
    if (result.exitStatus == kExitBadSetUp)
        return result;
    writeMatchFiles(options, scores, result);
    return result;
}

void writeMatchFiles(const SimOptions& options, const Scores& scores, SimResult& result) {
    if (!options.logPath.empty())
        if (auto error = writeWholeFile(options.logPath, result.log)) {
            result.errors += error->message() + "\n";
            result.exitStatus = kExitFileError;
        }
    if (!options.savePath.empty())
        if (auto error = writeScoresFile(options.savePath, scores)) {
            result.errors += error->message() + "\n";
            result.exitStatus = kExitFileError;
        }
}

} // namespace quorvel
