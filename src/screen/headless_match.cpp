#include "screen/headless_match.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <thread>

#include <sys/stat.h>

#include "common/parallel.h"
#include "common/text_format.h"
#include "engine/bowling_plan.h"
#include "engine/random.h"
#include "records/file_io.h"
#include "records/player_database.h"
#include "records/scores.h"
#include "reports/match_stats.h"
#include "screen/computer_choices.h"
#include "screen/match_screen.h"
#include "screen/match_session.h"
#include "setup/batsman_choice.h"
#include "setup/team_selection.h"
#include "setup/toss.h"

namespace quorvel {

namespace {

std::string countryList() {
    std::string list;
    for (int i = 0; i < kCountryCount; ++i)
        list.append(i == 0 ? "" : ", ").append(countryNameAt(i));
    return list;
}

constexpr int kExitFileError = 1;
constexpr int kExitBadSetUp = 2;
constexpr int kExitStuck = 3;

} // namespace

std::optional<std::string> loadSimDatabase(PlayerDatabase& database, const std::string& path) {
    const LoadOutcome outcome = startUpPlayerDatabase(database, path);
    if (outcome == LoadOutcome::Loaded)
        return std::nullopt;
    if (outcome == LoadOutcome::BadFormat)
        return std::string();
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return errno == ENOENT ? path + ": not found"
                               : FileError{fileErrorKindFromErrno(errno), path}.message();
    return FileError{FileErrorKind::Generic, path}.message();
}

std::optional<std::string> setUpPredefinedSides(Scores& scores, const PlayerDatabase& database,
                                                const std::string& left, const std::string& right) {
    std::vector<std::string> entries[2];
    const std::string* names[2] = {&left, &right};
    for (int side = 0; side < 2; ++side) {
        const std::optional<std::int32_t> code = countryCode(*names[side]);
        if (!code)
            return "\"" + *names[side] + "\" is not one of the nine countries: " + countryList();
        entries[side] = predefinedTeam(database, *code);
        if (!sideIsPlayable(entries[side], database))
            return "the predefined team of " + *names[side] +
                   " cannot play: it needs 11 players found in the database, among them a "
                   "wicket-keeper and at least 5 bowlers";
    }
    if (left == right)
        return "the two sides need different names";
    for (int side = 0; side < 2; ++side)
        storeSide(scores.teams[side], *names[side], entries[side], side == 1, database);
    return std::nullopt;
}

SimResult playHeadlessMatch(Scores& scores, const PlayerDatabase& database, Random& random,
                            std::uint32_t seed, bool callHeads, bool electBat, bool withText) {
    // The choices read the sides from the record once, when the session asks for them, before
    // anything is played into it.
    ComputerChoices choices(scores, database, random, seed, callHeads, electBat);
    MatchScreen screen(scores, database, random, choices);
    if (!withText)
        screen.playWithoutText();
    choices.attach(screen);
    MatchSession session(screen, choices);

    SimResult result;
    session.begin();
    if (!session.playToEnd()) {
        result.exitStatus = kExitStuck;
        result.errors = "quorvel-sim: no bowler could bowl the next over\n";
    }
    if (withText || result.exitStatus != 0) {
        screen.scoreSheet().buildSheetText();
        result.output = screen.scoreSheet().sheetText();
        for (int innings = 0; innings < 2; ++innings)
            result.output += screen.flow().inningsLine(innings) + "\r\n";
        result.log = screen.log().text();
    }
    result.cards = {screen.scoreSheet().card(0), screen.scoreSheet().card(1)};
    return result;
}

namespace {

// One match of a statistics run, reduced to what its row and the aggregates need.
struct StatsMatch {
    std::array<InningsCard, 2> cards{};
    int firstBatting = 0; // index into the sides: 0 the left, 1 the right
    int tossWinner = 0;
    SimResult failure; // an exit status other than 0: the match could not be finished
};

StatsMatch playStatsMatch(const Scores& sides, const PlayerDatabase& database, std::uint32_t seed,
                          const SimOptions& options) {
    Scores scores = sides;
    Random random;
    SimResult played = playHeadlessMatch(scores, database, random, seed, options.callHeads,
                                         options.electBat, false);
    StatsMatch match;
    if (played.exitStatus != 0) {
        match.failure = std::move(played);
        return match;
    }
    match.cards = played.cards;
    match.firstBatting = scores.battingSide(0);
    match.tossWinner = scores.tossWinner == 1 ? 1 : 0;
    return match;
}

std::string oversOfBalls(int balls) {
    return std::to_string(balls / kBallsPerOver) + "." + std::to_string(balls % kBallsPerOver);
}

// The row of one match: its seed, the sides in batting order, the toss winner, each innings'
// total, wickets, overs and extras, and the result.
std::string matchRow(SimFormat format, std::uint32_t seed, const Scores& sides,
                     const StatsMatch& match) {
    const std::string& first = sides.teams[match.firstBatting].name();
    const std::string& second = sides.teams[1 - match.firstBatting].name();
    const InningsSummary innings[2] = {summarizeInnings(match.cards[0]),
                                       summarizeInnings(match.cards[1])};
    const std::string result =
        resultLine(first, innings[0].runs, second, innings[1].runs, innings[1].wickets);
    const std::string& toss = sides.teams[match.tossWinner].name();
    std::string row;
    if (format == SimFormat::Csv) {
        row = std::to_string(seed) + "," + csvField(first) + "," + csvField(second) + "," +
              csvField(toss);
        for (const InningsSummary& summary : innings)
            appendFormat(row, ",%d,%d,%s,%d", summary.runs, summary.wickets,
                         oversOfBalls(summary.balls).c_str(),
                         summary.byes + summary.legByes + summary.wides + summary.noBalls);
        return row + "," + csvField(result) + "\n";
    }
    row = "    {\"seed\": " + std::to_string(seed) + ", \"first\": " + jsonString(first) +
          ", \"second\": " + jsonString(second) + ", \"toss\": " + jsonString(toss);
    const char* names[2] = {"first", "second"};
    for (int k = 0; k < 2; ++k)
        appendFormat(row,
                     ", \"%s_runs\": %d, \"%s_wickets\": %d, \"%s_overs\": \"%s\", "
                     "\"%s_extras\": %d",
                     names[k], innings[k].runs, names[k], innings[k].wickets, names[k],
                     oversOfBalls(innings[k].balls).c_str(), names[k],
                     innings[k].byes + innings[k].legByes + innings[k].wides + innings[k].noBalls);
    return row + ", \"result\": " + jsonString(result) + "}";
}

std::string trimmed(const char* label) {
    std::string text(label);
    return text.substr(std::min(text.find_first_not_of(' '), text.size()));
}

// The aggregate figures after the rows: a block of their own in CSV, the closing member of the
// JSON object.
std::string aggregates(SimFormat format, const MatchStatistics& statistics) {
    std::string out;
    if (format == SimFormat::Csv) {
        out = "\nfigure,value,spread_or_count\n";
        for (const StatFigure& figure : statistics.figures()) {
            out += csvField(trimmed(figure.label));
            if (figure.kind == StatFigure::Kind::Rate)
                appendFormat(out, ",%.4f,\n", figure.value);
            else if (figure.kind == StatFigure::Kind::Share)
                appendFormat(out, ",%.4f,%lld\n", figure.value,
                             static_cast<long long>(figure.spread));
            else
                appendFormat(out, ",%.4f,%.4f\n", figure.value, figure.spread);
        }
        return out;
    }
    out = "\n  ],\n  \"aggregates\": [";
    const char* separator = "\n";
    for (const StatFigure& figure : statistics.figures()) {
        out += separator;
        out += "    {\"figure\": " + jsonString(trimmed(figure.label));
        if (figure.kind == StatFigure::Kind::Rate)
            appendFormat(out, ", \"value\": %.4f}", figure.value);
        else if (figure.kind == StatFigure::Kind::Share)
            appendFormat(out, ", \"percent\": %.4f, \"count\": %lld}", figure.value,
                         static_cast<long long>(figure.spread));
        else
            appendFormat(out, ", \"mean\": %.4f, \"spread\": %.4f}", figure.value, figure.spread);
        separator = ",\n";
    }
    return out + "\n  ]\n}\n";
}

} // namespace

SimResult runSimStatistics(const SimOptions& options, const PlayerDatabase& database,
                           const SimSink& sink) {
    const std::uint32_t firstSeed =
        options.seed ? *options.seed : static_cast<std::uint32_t>(std::time(nullptr));
    std::vector<std::pair<std::string, std::string>> pairs;
    if (options.allPairs) {
        for (int a = 0; a < kCountryCount; ++a)
            for (int b = a + 1; b < kCountryCount; ++b)
                pairs.emplace_back(countryNameAt(a), countryNameAt(b));
    } else {
        pairs.emplace_back(options.left, options.right);
    }

    SimResult result;
    // Sides are set up once a pair; a pair that cannot play stops the run before any ball.
    std::vector<Scores> sides(std::min(pairs.size(), static_cast<std::size_t>(options.matches)));
    for (std::size_t pair = 0; pair < sides.size(); ++pair)
        if (auto problem = setUpPredefinedSides(sides[pair], database, pairs[pair].first,
                                                pairs[pair].second)) {
            result.exitStatus = kExitBadSetUp;
            result.errors = "quorvel-sim: " + *problem + "\n";
            return result;
        }
    const auto emit = [&sink, &result](std::string_view text) {
        if (sink.write)
            sink.write(text);
        else
            result.output += text;
    };
    if (options.format == SimFormat::Csv)
        emit("seed,first,second,toss,first_runs,first_wickets,first_overs,first_extras,"
             "second_runs,second_wickets,second_overs,second_extras,result\n");
    else if (options.format == SimFormat::Json)
        emit("{\n  \"first_seed\": " + std::to_string(firstSeed) + ",\n  \"matches\": [");

    // Each block of matches is shared out in seed ranges, one a thread, and then taken in seed
    // order: the output is the same for every number of threads, and memory stays flat.
    const int jobs = options.jobs > 0
                         ? options.jobs
                         : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    constexpr int kBlock = 1024;
    MatchStatistics statistics;
    std::vector<StatsMatch> block;
    for (int start = 0; start < options.matches; start += kBlock) {
        const int count = std::min(kBlock, options.matches - start);
        block.assign(static_cast<std::size_t>(count), StatsMatch{});
        forEachRange(std::min(jobs, count), count, [&](int, int begin, int end) {
            for (int i = begin; i < end; ++i) {
                const int number = start + i;
                block[static_cast<std::size_t>(i)] =
                    playStatsMatch(sides[static_cast<std::size_t>(number) % sides.size()], database,
                                   firstSeed + static_cast<std::uint32_t>(number), options);
            }
        });
        for (int i = 0; i < count; ++i) {
            const int number = start + i;
            StatsMatch& match = block[static_cast<std::size_t>(i)];
            if (match.failure.exitStatus != 0)
                return std::move(match.failure);
            const Scores& pair = sides[static_cast<std::size_t>(number) % sides.size()];
            const std::uint32_t seed = firstSeed + static_cast<std::uint32_t>(number);
            statistics.addMatch(match.cards, pair.teams[match.firstBatting].name(),
                                pair.teams[1 - match.firstBatting].name(), database);
            if (options.format == SimFormat::Csv)
                emit(matchRow(options.format, seed, pair, match));
            else if (options.format == SimFormat::Json)
                emit((number > 0 ? ",\n" : "\n") + matchRow(options.format, seed, pair, match));
        }
        if (sink.progress)
            sink.progress(start + count, options.matches);
    }
    if (options.format != SimFormat::Text) {
        emit(aggregates(options.format, statistics));
        return result;
    }
    const std::string sidesText = options.allPairs ? std::string("all 36 pairs of countries")
                                                   : options.left + " v " + options.right;
    emit(std::to_string(options.matches) + " matches, " + sidesText + ", seeds " +
         std::to_string(firstSeed) + " to " +
         std::to_string(firstSeed + static_cast<std::uint32_t>(options.matches - 1)) + "\n" +
         statistics.report());
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
        failed.errors = "quorvel-sim: " + *problem + "\n";
    return failed;
}

SimResult playSimMatch(const SimOptions& options, const PlayerDatabase& database, Scores& scores,
                       bool withText) {
    if (auto problem = setUpPredefinedSides(scores, database, options.left, options.right)) {
        SimResult failed;
        failed.exitStatus = kExitBadSetUp;
        failed.errors = "quorvel-sim: " + *problem + "\n";
        return failed;
    }
    const std::uint32_t seed =
        options.seed ? *options.seed : static_cast<std::uint32_t>(std::time(nullptr));
    Random random;
    SimResult result = playHeadlessMatch(scores, database, random, seed, options.callHeads,
                                         options.electBat, withText);
    if (!options.seed)
        result.errors.insert(0, "quorvel-sim: seed " + std::to_string(seed) +
                                    " (replay with --seed " + std::to_string(seed) + ")\n");
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
    return result;
}

} // namespace quorvel
