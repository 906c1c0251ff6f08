#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <regex>
#include <sstream>

#include <sys/wait.h>

#include "cli/aggregate_command.h"
#include "cli/predict_command.h"
#include "cli/sim_command.h"
#include "cli/sim_options.h"
#include "cli/tournament_command.h"
#include "common/text_format.h"
#include "engine/random.h"
#include "records/player_database.h"
#include "records/scores.h"
#include "reports/match_stats.h"
#include "screen/computer_choices.h"
#include "screen/headless_match.h"
#include "screen/match_session.h"
#include "screen/statistics_run.h"
#include "setup/toss.h"
#include "support/test_support.h"

namespace quorvel {
namespace {

// A copy of the bundled database in a scratch folder, so that start-up's repair pass can
// never touch the build's own file.
struct SimFixture : ::testing::Test {
    test::ScratchDir dir;
    SimOptions options;

    void SetUp() override {
        std::filesystem::copy_file(QUORVEL_PLAYERS_DAT, dir.file("players.dat"));
        options.playersPath = dir.file("players.dat");
        options.seed = 1;
    }
};

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

TEST_F(SimFixture, PlaysACompleteMatchWithTheContractedOutput) {
    const SimResult result = runSim(options);
    ASSERT_EQ(result.exitStatus, 0) << result.errors;
    EXPECT_EQ(result.errors, "");
    const std::string& out = result.output;
    // CR LF throughout, nothing after the last line end.
    ASSERT_GE(out.size(), 2u);
    EXPECT_EQ(out.substr(out.size() - 2), "\r\n");
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), std::count(out.begin(), out.end(), '\r'));

    const auto lines = linesOf(out);
    ASSERT_GE(lines.size(), 10u);
    EXPECT_EQ(lines[0], "India vs. Pakistan");
    EXPECT_TRUE(lines[2] == "Toss: India" || lines[2] == "Toss: Pakistan") << lines[2];
    const std::regex summary("(India|Pakistan) scored \\d+ runs for \\d+ wickets in \\d+\\.\\d "
                             "overs at \\d+\\.\\d\\d runs per over");
    const std::regex resultLine(
        "(India|Pakistan) scored \\d+ runs for \\d+ wickets in \\d+\\.\\d overs, "
        "(beating (India|Pakistan) by \\d+ wickets|losing to (India|Pakistan) by \\d+ runs|"
        "resulting in a TIED match!)");
    EXPECT_TRUE(std::regex_match(lines[lines.size() - 2], summary)) << lines[lines.size() - 2];
    EXPECT_TRUE(std::regex_match(lines.back(), resultLine)) << lines.back();
    // The scoresheet comes first and holds both innings.
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "FoW:"), 2);
    EXPECT_GT(result.log.size(), 1000u);
}

TEST_F(SimFixture, OneSeedGivesIdenticalBytesEverywhere) {
    options.logPath = dir.file("a.log");
    options.savePath = dir.file("a.quo");
    const SimResult first = runSim(options);
    options.logPath = dir.file("b.log");
    options.savePath = dir.file("b.quo");
    const SimResult second = runSim(options);
    ASSERT_EQ(first.exitStatus, 0);
    ASSERT_EQ(second.exitStatus, 0);
    EXPECT_EQ(first.output, second.output);
    EXPECT_EQ(first.log, second.log);
    EXPECT_EQ(test::readBytes(dir.file("a.log")), first.log);
    EXPECT_EQ(test::readBytes(dir.file("a.log")), test::readBytes(dir.file("b.log")));
    EXPECT_EQ(test::readBytes(dir.file("a.quo")), test::readBytes(dir.file("b.quo")));

    // The saved match is the one played: both sides as stored, both innings bowled.
    const Scores saved = decodeScores(test::readBytes(dir.file("a.quo")));
    EXPECT_EQ(saved.teams[0].name(), "India");
    EXPECT_EQ(saved.teams[1].name(), "Pakistan");
    EXPECT_FALSE(saved.teams[0].isComputerControlled());
    EXPECT_TRUE(saved.teams[1].isComputerControlled());
    EXPECT_TRUE(saved.innings[0].overs[0].bowled());
    EXPECT_TRUE(saved.innings[1].overs[0].bowled());

    options.seed = 2;
    EXPECT_NE(runSim(options).output, first.output);
}

// One hash of every output of a fixed set of seeded matches: the scoresheets, logs and match
// files of single matches and a statistics run. Any change in what the program plays or prints
// shows here at once; a deliberate change (of the rules or of the bundled database) updates it.
TEST_F(SimFixture, SeededMatchesKeepTheirSignature) {
    // A match carries the day it was played: it is hashed as a fixed token (in a match file,
    // with its one-byte length prefix), so the signature is the same on every day.
    const std::string today = formatMatchDate(std::time(nullptr));
    const auto neutral = [&today](std::string bytes) {
        for (const std::string& dated : {char(today.size()) + today, today})
            for (std::size_t at; (at = bytes.find(dated)) != std::string::npos;)
                bytes.replace(at, dated.size(), "<date>");
        return bytes;
    };
    std::uint64_t hash = 14695981039346656037ull;
    const auto mix = [&](const std::string& bytes) {
        for (const unsigned char byte : neutral(bytes))
            hash = (hash ^ byte) * 1099511628211ull;
    };
    const char* const countries[] = {"Australia",   "England",     "India",
                                     "New Zealand", "Pakistan",    "South Africa",
                                     "Sri Lanka",   "West Indies", "Zimbabwe"};
    options.logPath = dir.file("s.log");
    options.savePath = dir.file("s.quo");
    for (std::uint32_t seed = 1; seed <= 24; ++seed) {
        options.seed = seed * 7919u;
        options.left = countries[seed % 9];
        options.right = countries[(seed * 4 + 1) % 9];
        if (options.left == options.right)
            options.right = countries[(seed + 5) % 9];
        options.callHeads = seed % 2 == 0;
        options.electBat = seed % 3 != 0;
        const SimResult result = runSim(options);
        ASSERT_EQ(result.exitStatus, 0) << result.errors;
        mix(result.output);
        mix(test::readBytes(options.logPath));
        mix(test::readBytes(options.savePath));
    }
    SimOptions stats;
    stats.seed = 11;
    stats.matches = 180;
    stats.stats = true;
    stats.allPairs = true;
    PlayerDatabase database;
    database.assign(test::bundledPlayers());
    mix(runSimStatistics(stats, database).output);
    EXPECT_EQ(hash, 0x1cdac63357d74242ull) << std::hex << hash;
}

TEST_F(SimFixture, TheCallAndTheElectionDecideWhoBatsFirst) {
    // The coin of each seed is known: the first draw after seeding, mod 2.
    for (std::uint32_t seed : {1u, 2u, 3u, 4u}) {
        Random coin;
        const int face = tossCoin(coin, seed);
        for (bool heads : {true, false}) {
            for (bool bat : {true, false}) {
                options.seed = seed;
                options.callHeads = heads;
                options.electBat = bat;
                options.savePath = dir.file("toss.quo");
                ASSERT_EQ(runSim(options).exitStatus, 0);
                const Scores saved = decodeScores(test::readBytes(options.savePath));
                const TossDecision expected = decideToss(0, (face == kHeads) == heads, face, bat);
                EXPECT_EQ(saved.battingFirst, expected.battingFirst) << seed << heads << bat;
                EXPECT_EQ(saved.tossWinner, expected.tossWinner) << seed << heads << bat;
            }
        }
    }
}

// The screen's user as the game's view is: its batsmen come from whichever captain plays on.
struct CaptainedUser final : MatchScreenUser {
    MatchChoices* captain = nullptr;
    std::size_t pickBatsman(int slot, const std::vector<std::string>& candidates) override {
        return captain->pickBatsman(slot, candidates);
    }
};

// The computer playing on for the user's side in runs of overs (the next over, to the end of
// the innings, to the end of the match, stopped part-way), each run with a captain of its own
// as the game's Match menu makes one, plays exactly the simulator's match.
TEST_F(SimFixture, PlayingOnForTheUserMakesTheSimulatorsChoices) {
    PlayerDatabase database;
    database.assign(test::bundledPlayers());
    Scores sides;
    ASSERT_FALSE(setUpPredefinedSides(sides, database, "England", "Sri Lanka"));
    for (const bool bat : {true, false}) {
        Scores simScores = sides;
        Random simRandom;
        const PlayedMatch sim = playHeadlessMatch(simScores, database, simRandom, 41, true, bat);

        Scores scores = sides;
        Random random;
        ComputerChoices setUp(sides, database, random, 41, true, bat);
        CaptainedUser user;
        user.captain = &setUp;
        MatchScreen screen(scores, database, random, user);
        setUp.attach(screen);
        MatchSession session(screen, setUp);
        ASSERT_TRUE(session.begin());
        const PlayOnScope scopes[] = {PlayOnScope::NextOver, PlayOnScope::EndOfInnings,
                                      PlayOnScope::EndOfMatch};
        int runs = 0;
        std::vector<int> overs;
        for (; screen.flow().inInnings() && runs < 200; ++runs) {
            ComputerChoices captain(sides, database, random, 0, true, true);
            captain.attach(screen);
            if (scores.fieldingSide(screen.figures().inningsIndex) == userSide(scores))
                captain.rebuildUserPlan(screen.figures());
            user.captain = &captain;
            PlayOnRun run(screen, captain, scopes[runs % 3]);
            EXPECT_TRUE(run.playsInnings());
            while (run.playOver())
                if (run.oversPlayed() == 7)
                    run.stop(); // Escape: the over in hand ends the run
            EXPECT_FALSE(run.stuck());
            // A run to the end of an innings that ended leaves the next innings to the user.
            if (scopes[runs % 3] == PlayOnScope::EndOfInnings && run.oversPlayed() < 7) {
                EXPECT_FALSE(run.playsInnings());
            }
            EXPECT_FALSE(run.playOver()); // an ended run plays nothing more
            overs.push_back(run.oversPlayed());
        }
        ASSERT_EQ(screen.state(), MatchState::MatchOver);
        EXPECT_EQ(overs[0], 1);
        EXPECT_LE(*std::max_element(overs.begin(), overs.end()), 7);
        screen.scoreSheet().buildSheetText();
        std::string output = screen.scoreSheet().sheetText();
        for (int innings = 0; innings < 2; ++innings)
            output += screen.flow().inningsLine(innings) + "\r\n";
        EXPECT_EQ(output, sim.text) << bat;
        EXPECT_EQ(screen.log().text(), sim.log) << bat;
    }
}

TEST_F(SimFixture, SidesThatCannotPlayAreRefusedBeforeAnyBall) {
    const auto refused = [&](const std::string& left, const std::string& right, int status = 2) {
        options.left = left;
        options.right = right;
        options.savePath = dir.file("never.quo");
        const SimResult result = runSim(options);
        EXPECT_EQ(result.exitStatus, status) << left << " v " << right;
        EXPECT_EQ(result.output, "");
        EXPECT_NE(result.errors, "");
        EXPECT_FALSE(std::filesystem::exists(options.savePath));
    };
    refused("Atlantis", "Pakistan");
    refused("India", "india");
    refused("India", "India");
    options.playersPath = dir.file("missing.dat");
    refused("India", "Pakistan", 1); // a file that cannot be read, not a bad set-up
}

TEST_F(SimFixture, AFileThatCannotBeWrittenIsReported) {
    options.logPath = dir.file("no/such/folder/match.log");
    const SimResult result = runSim(options);
    EXPECT_NE(result.exitStatus, 0);
    EXPECT_NE(result.errors.find(options.logPath), std::string::npos) << result.errors;
    EXPECT_NE(result.output, ""); // the match itself was played and printed
}

// A statistics run prints the same for any number of threads, and its CSV rows shard by seed:
// the rows of two halves (each a whole number of rounds of the 36 pairs) are the rows of the whole.
TEST_F(SimFixture, StatisticsRunsAreTheSameOnAnyNumberOfThreadsAndShardBySeed) {
    PlayerDatabase database;
    database.assign(test::bundledPlayers());
    SimOptions stats;
    stats.seed = 3;
    stats.matches = 72;
    stats.stats = true;
    stats.allPairs = true;
    stats.jobs = 1;
    const std::string text = runSimStatistics(stats, database).output;
    stats.format = cli::OutputFormat::Csv;
    const std::string csv = runSimStatistics(stats, database).output;
    stats.jobs = 3;
    EXPECT_EQ(runSimStatistics(stats, database).output, csv);
    stats.format = cli::OutputFormat::Text;
    EXPECT_EQ(runSimStatistics(stats, database).output, text);

    stats.format = cli::OutputFormat::Csv;
    const auto rows = [](const std::string& output, bool header) {
        const std::size_t from = header ? 0 : output.find('\n') + 1;
        return output.substr(from, output.find("\n\n") + 1 - from);
    };
    stats.matches = 36;
    const std::string first = runSimStatistics(stats, database).output;
    stats.seed = 39;
    const std::string merged =
        rows(first, true) + rows(runSimStatistics(stats, database).output, false);
    EXPECT_EQ(merged, rows(csv, true));
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 72 + 2 + 20);

    // The aggregates worked out from the merged rows are the whole run's: the first-innings
    // total, the wins of the side batting first and the innings all out.
    RunningStat firstTotal;
    int firstSideWins = 0;
    int allOut = 0;
    std::istringstream lines(merged.substr(merged.find('\n') + 1));
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> field;
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, ',');)
            field.push_back(cell);
        ASSERT_EQ(field.size(), 13u) << line;
        firstTotal.add(std::stod(field[4]));
        firstSideWins += field[12].rfind(field[1] + " won", 0) == 0;
        allOut += (field[5] == "10") + (field[9] == "10");
    }
    const std::string aggregates = csv.substr(csv.find("\n\n"));
    for (const std::string& figure :
         {formatText("first-innings total,%.4f,%.4f\n", firstTotal.mean(), firstTotal.spread()),
          formatText("innings all out,%.4f,%d\n", 100.0 * allOut / 144, allOut),
          formatText("matches won by the side batting first,%.4f,%d\n", 100.0 * firstSideWins / 72,
                     firstSideWins)})
        EXPECT_NE(aggregates.find(figure), std::string::npos) << figure << aggregates;

    // --aggregate takes shard rows in seed order, across the wrap from 4294967295 to 0 too, and
    // refuses shards whose pairs are not those the whole run plays at their seeds.
    stats.shardRows = true;
    stats.allPairs = false;
    stats.seed = 4294967290u;
    stats.matches = 12;
    const std::string wrapped = runSimStatistics(stats, database).output;
    const std::size_t split = wrapped.find("\n0,") + 1;
    test::writeBytes(dir.file("high.csv"), wrapped.substr(0, split));
    test::writeBytes(dir.file("low.csv"),
                     wrapped.substr(0, wrapped.find('\n') + 1) + wrapped.substr(split));
    SimOptions aggregate;
    aggregate.aggregate = true;
    aggregate.aggregateFiles = {dir.file("low.csv"), dir.file("high.csv")};
    stats.format = cli::OutputFormat::Text;
    EXPECT_EQ(runAggregateSim(aggregate).output, runSimStatistics(stats, database).output);
    stats.format = cli::OutputFormat::Csv;
    stats.allPairs = true;
    stats.matches = 30;
    for (const std::uint32_t seed : {3u, 33u}) {
        stats.seed = seed;
        test::writeBytes(dir.file(std::to_string(seed) + ".csv"),
                         runSimStatistics(stats, database).output);
    }
    aggregate.aggregateFiles = {dir.file("3.csv"), dir.file("33.csv")};
    const SimResult refused = runAggregateSim(aggregate);
    EXPECT_EQ(refused.exitStatus, 2);
    EXPECT_EQ(refused.output, "");
    EXPECT_NE(refused.errors.find("not of one run: seed 33 plays"), std::string::npos)
        << refused.errors;
}

// Each block is played while the one before it is handed over: every match comes once and in
// seed order whatever the threads and the block size, and a stop hands over no later match.
TEST_F(SimFixture, StatisticsMatchesComeInSeedOrderAndAStopEndsThem) {
    PlayerDatabase database;
    database.assign(test::bundledPlayers());
    StatisticsPlan plan;
    plan.sides.resize(2);
    ASSERT_FALSE(setUpPredefinedSides(plan.sides[0], database, "India", "Pakistan"));
    ASSERT_FALSE(setUpPredefinedSides(plan.sides[1], database, "Australia", "England"));
    plan.firstSeed = 20;
    plan.matches = 11;
    const auto run = [&](int threads, int blockSize, int stopAfter) {
        plan.threads = threads;
        plan.blockSize = blockSize;
        std::pair<std::string, std::string> takenAndDone;
        playStatistics(
            plan, database,
            [&](const StatisticsMatch& match) {
                takenAndDone.first += std::to_string(match.number) + ":" +
                                      std::to_string(match.seed) + ":" +
                                      std::to_string(match.cards[0].total) + "/" +
                                      std::to_string(match.cards[1].total) + " ";
                return match.number != stopAfter;
            },
            [&](int done) { takenAndDone.second += std::to_string(done) + " "; });
        return takenAndDone;
    };
    const auto [whole, done] = run(1, 1024, -1);
    EXPECT_EQ(done, "11 ");
    EXPECT_EQ(whole.rfind("0:20:", 0), 0u);
    EXPECT_NE(whole.find(" 10:30:"), std::string::npos);
    for (const int threads : {1, 2, 3})
        for (const int blockSize : {1, 3, 4})
            EXPECT_EQ(run(threads, blockSize, -1).first, whole) << threads << " " << blockSize;
    EXPECT_EQ(run(2, 3, -1).second, "3 6 9 11 ");
    const auto [stopped, doneBeforeStop] = run(2, 3, 4);
    EXPECT_EQ(stopped, whole.substr(0, whole.find(" 5:") + 1));
    EXPECT_EQ(doneBeforeStop, "3 ");
}

// The command itself, when it has been built next to the database.
TEST_F(SimFixture, TheCommandPrintsWhatTheLibraryPlays) {
    const auto binary = std::filesystem::path(QUORVEL_PLAYERS_DAT).parent_path() / "quorvel-sim";
    if (!std::filesystem::exists(binary))
        GTEST_SKIP() << "quorvel-sim not built";
    const std::string command = binary.string() + " --seed 7 --players " + options.playersPath;
    std::string printed;
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        printed.append(buffer, n);
    EXPECT_EQ(::pclose(pipe), 0);
    options.seed = 7;
    EXPECT_EQ(printed, runSim(options).output);

    FILE* refused = ::popen(
        (binary.string() + " --left Nowhere --players " + options.playersPath + " 2>/dev/null")
            .c_str(),
        "r");
    ASSERT_NE(refused, nullptr);
    const int status = ::pclose(refused);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
}

TEST(SimStatistics, DependOnlyOnTheSeedsAndTheDatabase) {
    test::ScratchDir dir;
    std::filesystem::copy_file(QUORVEL_PLAYERS_DAT, dir.file("players.dat"));
    SimCommand command = parseSimCommand({"--matches", "40", "--stats", "--all-pairs", "--seed",
                                          "9", "--players", dir.file("players.dat")});
    ASSERT_EQ(command.action, cli::Action::Run) << command.error;
    SimOptions* options = &command.options;
    const SimResult first = runSim(*options);
    ASSERT_EQ(first.exitStatus, 0) << first.errors;
    EXPECT_EQ(first.output.rfind("40 matches, all 36 pairs of countries, seeds 9 to 48\n", 0), 0u)
        << first.output;
    EXPECT_EQ(runSim(*options).output, first.output);

    // Match i of a run is the single match of seed + i.
    options->matches = 1;
    options->seed = 10;
    options->allPairs = false;
    options->left = "Australia";
    options->right = "India";
    const SimResult one = runSim(*options);
    options->stats = false;
    EXPECT_NE(runSim(*options).output, "");
    EXPECT_NE(one.output.find("seeds 10 to 10"), std::string::npos);

    for (const auto& bad : std::vector<std::vector<std::string>>{{"--matches", "5"},
                                                                 {"--matches", "0", "--stats"},
                                                                 {"--stats", "--log", "x"},
                                                                 {"--all-pairs"}})
        EXPECT_EQ(parseSimCommand(bad).action, cli::Action::UsageError) << bad[0];
}

// A whole seeded tournament of the bundled database, played twice: the same bytes each time, in
// every format, through to its final and champion.
TEST(SimTournament, ASeededTournamentIsReproducible) {
    test::ScratchDir dir;
    std::filesystem::copy_file(QUORVEL_PLAYERS_DAT, dir.file("players.dat"));
    SimOptions options;
    options.playersPath = dir.file("players.dat");
    options.seed = 11;
    options.tournament = true;
    const SimResult text = runTournamentSim(options);
    ASSERT_EQ(text.exitStatus, 0) << text.errors;
    EXPECT_EQ(text.errors, "");
    EXPECT_EQ(runTournamentSim(options).output, text.output);
    EXPECT_NE(text.output.find("\nChampion: "), std::string::npos) << text.output;
    EXPECT_NE(text.output.find("\nFinal: "), std::string::npos);
    for (cli::OutputFormat format : {cli::OutputFormat::Csv, cli::OutputFormat::Json}) {
        options.format = format;
        const SimResult other = runTournamentSim(options);
        EXPECT_EQ(other.exitStatus, 0);
        EXPECT_EQ(runTournamentSim(options).output, other.output);
        EXPECT_NE(other.output.find("champion"), std::string::npos);
    }
}

TEST_F(SimFixture, ThePredictionPrintsARowAnOverTheSameOnAnyThreads) {
    SimOptions command;
    command.playersPath = QUORVEL_PLAYERS_DAT;
    command.seed = 11;
    command.predict = true;
    command.remainders = 3;
    command.format = cli::OutputFormat::Csv;
    command.jobs = 1;
    const SimResult one = runPredictSim(command);
    ASSERT_EQ(one.exitStatus, 0) << one.errors;
    command.jobs = 2;
    EXPECT_EQ(runPredictSim(command).output, one.output);
    PlayerDatabase database;
    ASSERT_FALSE(loadSimDatabase(database, QUORVEL_PLAYERS_DAT));
    Scores record;
    ASSERT_EQ(playSimMatch(command, database, record, false).exitStatus, 0);
    EXPECT_EQ(std::count(one.output.begin(), one.output.end(), '\n'),
              1 + oversBowled(record, 0) + oversBowled(record, 1));
    // The last over's row is the result: a chance of 1 for the winner (or the tie).
    const std::string last = one.output.substr(one.output.rfind('\n', one.output.size() - 2) + 1);
    EXPECT_NE(last.find(",1.0000,0.0000,"), std::string::npos) << last;
    command.format = cli::OutputFormat::Json;
    const std::string json = runPredictSim(command).output;
    EXPECT_EQ(json.rfind("{\n  \"left\": \"India\"", 0), 0u) << json.substr(0, 80);
    EXPECT_EQ(json.substr(json.size() - 8), "}\n  ]\n}\n");
}

} // namespace
} // namespace quorvel
