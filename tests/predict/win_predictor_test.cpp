// The win predictor: answers that are certain or nearly so, one estimate for one position on
// any number of threads, and a match played with the predictor on exactly as with it off.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <thread>

#include <sys/resource.h>
#include <unistd.h>

#include "cli/resume_command.h"
#include "common/dialog_fields.h"
#include "engine/random.h"
#include "predict/match_resume.h"
#include "predict/win_line.h"
#include "predict/win_predictor.h"
#include "records/player_database.h"
#include "records/scores_file.h"
#include "reports/sheet_replay.h"
#include "screen/computer_choices.h"
#include "screen/headless_match.h"
#include "setup/toss.h"
#include "support/test_support.h"

using namespace quorvel;

namespace {

struct Predictor : ::testing::Test {
    PlayerDatabase database;
    Scores sides;
    PredictOptions options;

    void SetUp() override {
        ASSERT_FALSE(loadSimDatabase(database, QUORVEL_PLAYERS_DAT));
        ASSERT_FALSE(setUpPredefinedSides(sides, database, "India", "Pakistan"));
        options.remainders = 200;
    }
    Scores played(std::uint32_t seed) {
        Scores scores = sides;
        Random random;
        playHeadlessMatch(scores, database, random, seed, true, true, false);
        return scores;
    }
    // The first seeded match for which `wanted` holds of its record.
    template <class Wanted> Scores firstMatch(Wanted wanted) {
        for (std::uint32_t seed = 1; seed < 500; ++seed)
            if (Scores scores = played(seed); wanted(scores))
                return scores;
        ADD_FAILURE() << "no seed gave the match wanted";
        return sides;
    }
    WinEstimate predictAfter(const Scores& record, int innings, int overs) {
        const auto position = positionAfterOver(record, innings, overs, database);
        EXPECT_TRUE(position.has_value());
        return *predictWin(*position, SliderPositions{}, database, options);
    }
};

} // namespace

TEST_F(Predictor, CertainAndNearlyCertainPositions) {
    // A chase already won and one all out behind, both from their last over: certain.
    for (const bool chaseWon : {true, false}) {
        const Scores record = firstMatch([&](const Scores& scores) {
            const auto last = positionAfterOver(scores, 1, oversBowled(scores, 1), database);
            return last && (chaseWon ? last->figures.totalRuns >= last->figures.target
                                     : last->figures.totalWickets == kWicketsPerInnings &&
                                           last->figures.totalRuns + 1 < last->figures.target);
        });
        const WinEstimate estimate = predictAfter(record, 1, oversBowled(record, 1));
        const int winner = chaseWon ? record.battingSide(1) : record.battingSide(0);
        EXPECT_EQ(estimate.remainders, options.remainders);
        EXPECT_EQ(estimate.win[winner], 1.0);
        EXPECT_EQ(estimate.win[1 - winner], 0.0);
        EXPECT_EQ(estimate.winError[winner], 0.0);
        EXPECT_EQ(estimate.inningsInPlay, 1);
    }

    // One run wanted from the last over with ten wickets in hand: the chasers cannot lose and
    // win far more often than they tie.
    const Scores record =
        firstMatch([](const Scores& scores) { return oversBowled(scores, 1) == kOversPerInnings; });
    auto position = positionAfterOver(record, 1, kOversPerInnings - 1, database);
    ASSERT_TRUE(position);
    position->figures.totalRuns = position->figures.target - 1;
    position->figures.totalWickets = 0;
    const WinEstimate close = *predictWin(*position, SliderPositions{}, database, options);
    EXPECT_EQ(close.win[record.battingSide(0)], 0.0);
    EXPECT_GT(close.win[record.battingSide(1)], 0.8);
    EXPECT_GT(close.tie, 0.0);
    EXPECT_NEAR(close.win[0] + close.win[1] + close.tie, 1.0, 1e-9);
    // Every final total is at least the one the over started from.
    std::int64_t counted = 0;
    for (std::size_t runs = 0; runs < close.finalTotals.size(); ++runs)
        if (static_cast<int>(runs) >= position->figures.totalRuns)
            counted += close.finalTotals[runs];
    EXPECT_EQ(counted, close.remainders);
}

TEST_F(Predictor, OnePositionGivesOneEstimateOnAnyThreadsAndCanBeCancelled) {
    const Scores record = played(7);
    const auto position = positionAfterOver(record, 0, 1, database);
    ASSERT_TRUE(position);
    options.threads = 1;
    const WinEstimate one = *predictWin(*position, SliderPositions{}, database, options);
    options.threads = 3;
    const WinEstimate three = *predictWin(*position, SliderPositions{}, database, options);
    EXPECT_EQ(one.win, three.win);
    EXPECT_EQ(one.tie, three.tie);
    EXPECT_EQ(one.finalTotals, three.finalTotals);
    EXPECT_EQ(one.inningsInPlay, 0);
    EXPECT_GT(one.win[0], 0.0);
    EXPECT_GT(one.win[1], 0.0);
    EXPECT_NEAR(one.winError[0], std::sqrt(one.win[0] * (1 - one.win[0]) / 200), 1e-12);

    std::atomic<bool> cancel{true};
    options.cancel = &cancel;
    EXPECT_FALSE(predictWin(*position, SliderPositions{}, database, options));
}

TEST_F(Predictor, AMatchPlayedWithThePredictorOnIsTheMatchPlayedWithItOff) {
    const std::uint32_t seed = 42;
    Scores off = sides;
    Random offRandom;
    const PlayedMatch plain = playHeadlessMatch(off, database, offRandom, seed, true, true);

    // The same match, over by over, with an estimate after every over.
    Scores on = sides;
    Random random;
    ComputerChoices choices(sides, database, random, seed, true, true);
    MatchScreen screen(on, database, random, choices);
    choices.attach(screen);
    MatchSession session(screen, choices);
    session.begin();
    options.remainders = 8;
    int estimates = 0;
    const std::uint32_t programState = programRandom().state();
    while (screen.flow().inInnings()) {
        if (on.fieldingSide(screen.figures().inningsIndex) == userSide(on))
            choices.captainUserSide(screen);
        screen.onBowlOver();
        const int innings = lastInningsPlayed(on);
        if (predictWin(*positionAfterOver(on, innings, oversBowled(on, innings), database),
                       SliderPositions{}, database, options))
            ++estimates;
    }
    EXPECT_GT(estimates, 50);
    EXPECT_EQ(encodeScores(on), encodeScores(off));
    EXPECT_EQ(screen.log().text(), plain.log);
    EXPECT_EQ(random.state(), offRandom.state());
    EXPECT_EQ(programRandom().state(), programState);
}

TEST_F(Predictor, TheLineEstimatesEveryOverOnceAndDropsAnotherMatchsOvers) {
    WinLine line(database, 4);
    std::atomic<int> calls{0};
    const Scores first = played(3);
    Scores part = first;
    for (int over = 10; over < kOversPerInnings; ++over)
        part.innings[0].overs[over] = Over{};
    part.innings[1] = Innings{};
    line.update(part, SliderPositions{}, {});
    line.cancel(); // may stop it part-way; the next update goes on from what was kept
    // The over just bowled is estimated first, before the overs the line has not yet done.
    std::vector<WinPoint> afterFirst;
    line.update(first, SliderPositions{}, [&] {
        if (calls++ == 0)
            afterFirst = line.points();
    });
    while (line.busy())
        std::this_thread::yield();
    ASSERT_FALSE(afterFirst.empty());
    EXPECT_EQ(afterFirst.back().innings, 1);
    EXPECT_EQ(afterFirst.back().overs, oversBowled(first, 1));
    EXPECT_LE(afterFirst.size(), std::size_t(11));
    const std::vector<WinPoint> points = line.points();
    ASSERT_EQ(points.size(), std::size_t(oversBowled(first, 0) + oversBowled(first, 1)));
    EXPECT_EQ(points.front().innings, 0);
    EXPECT_EQ(points.front().overs, 1);
    EXPECT_EQ(points.back().innings, 1);
    EXPECT_EQ(points.back().estimate.remainders, 4);
    EXPECT_GT(calls.load(), 0);

    const Scores second = played(4);
    line.update(second, SliderPositions{}, {});
    line.cancel();
    line.update(second, SliderPositions{}, {});
    while (line.busy())
        std::this_thread::yield();
    EXPECT_EQ(line.points().size(), std::size_t(oversBowled(second, 0) + oversBowled(second, 1)));
}

// Where no thread can be started (here too little address space for a thread's stack, in a
// fresh child process), the line works on the calling thread and every over is estimated.
void estimateWithoutThreads(const PlayerDatabase& database, const Scores& record,
                            std::size_t overs) {
    long pages = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld", &pages) != 1)
            pages = 0;
        std::fclose(statm);
    }
    const rlimit limit{static_cast<rlim_t>(pages * ::sysconf(_SC_PAGESIZE) + (4 << 20)),
                       RLIM_INFINITY};
    if (pages == 0 || ::setrlimit(RLIMIT_AS, &limit) != 0)
        ::_exit(2);
    try {
        std::thread probe([] {});
        probe.join();
        ::_exit(3); // the limit did not stop a thread: the fallback would go untried
    } catch (const std::system_error&) {
    }
    WinLine line(database, 2);
    line.update(record, SliderPositions{}, {});
    line.cancel();
    ::_exit(line.points().size() == overs ? 0 : 1);
}

TEST_F(Predictor, TheLineWorksOnTheCallingThreadWhereNoThreadCanStart) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "the address sanitizer needs more address space than the limit leaves";
#endif
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const Scores record = played(3);
    const std::size_t overs = std::size_t(oversBowled(record, 0) + oversBowled(record, 1));
    EXPECT_EXIT(estimateWithoutThreads(database, record, overs), ::testing::ExitedWithCode(0), "");
}

// After every over of seeded matches, the position taken up from the record is the one the
// live screen stands at: totals, overs, the batsmen (striker included) and the bowler rows.
TEST_F(Predictor, ThePositionAfterEveryOverIsTheLiveOne) {
    int unknownNewBatsmen = 0;
    for (std::uint32_t seed : {5u, 19u, 23u}) {
        SCOPED_TRACE(seed);
        Scores on = sides;
        Random random;
        ComputerChoices choices(sides, database, random, seed, seed % 2 == 0, true);
        MatchScreen screen(on, database, random, choices);
        choices.attach(screen);
        MatchSession session(screen, choices);
        session.begin();
        while (screen.flow().inInnings()) {
            const int innings = screen.figures().inningsIndex;
            if (on.fieldingSide(innings) == userSide(on))
                choices.captainUserSide(screen);
            screen.onBowlOver();
            const InningsFigures& live = screen.figures();
            if (!screen.flow().inInnings() || live.inningsIndex != innings)
                continue;
            const auto position = positionAfterOver(on, innings, live.overNumber, database);
            ASSERT_TRUE(position);
            const InningsFigures& f = position->figures;
            SCOPED_TRACE(live.overNumber);
            // The places that have batted, kept ball by ball, are those on the record's balls.
            ASSERT_TRUE(live.battedKnown);
            EXPECT_EQ(live.battedPlaces, battedPlacesOf(on.teams[on.battingSide(innings)],
                                                        on.innings[innings], live.overNumber));
            EXPECT_EQ(f.totalRuns, live.totalRuns);
            EXPECT_EQ(f.totalWickets, live.totalWickets);
            EXPECT_EQ(formatNumber(f.oversFigure), formatNumber(live.oversFigure));
            EXPECT_EQ(formatNumber(f.runRate), formatNumber(live.runRate));
            EXPECT_EQ(f.bowlerNames, live.bowlerNames);
            EXPECT_EQ(f.bowlerPlayers, live.bowlerPlayers);
            EXPECT_EQ(f.bowlerRecords, live.bowlerRecords);
            EXPECT_EQ(f.bowlerMaidens, live.bowlerMaidens);
            EXPECT_EQ(f.bowlerRuns, live.bowlerRuns);
            EXPECT_EQ(f.bowlerWickets, live.bowlerWickets);
            for (int row = 0; row < kBowlerRows; ++row)
                EXPECT_EQ(formatNumber(f.bowlerOvers[row]), formatNumber(live.bowlerOvers[row]));
            ASSERT_GE(f.lastBowlerRow, 0);
            EXPECT_EQ(f.bowlerNames[f.lastBowlerRow], live.bowlerNames[live.lastBowlerRow]);
            if (live.bowlerBeforeLastRow >= 0) {
                EXPECT_EQ(f.bowlerNames[f.bowlerBeforeLastRow],
                          live.bowlerNames[live.bowlerBeforeLastRow]);
            }
            // The striker by id; a batsman who came in and has not yet faced is not known, so
            // the live striker must then be him.
            const std::int32_t striker = f.batsmanIds[f.strikerSlot];
            const std::int32_t liveStriker = live.batsmanIds[live.strikerSlot];
            if (striker != kNoPlayer) {
                EXPECT_EQ(striker, liveStriker);
            }
            for (int slot = 0; slot < kCreaseSlots; ++slot) {
                const std::int32_t id = f.batsmanIds[slot];
                if (id == kNoPlayer) {
                    ++unknownNewBatsmen;
                    continue;
                }
                const int at = live.batsmanIds[0] == id ? 0 : 1;
                ASSERT_EQ(live.batsmanIds[at], id);
                EXPECT_EQ(f.batsmanRuns[slot], live.batsmanRuns[at]);
                EXPECT_EQ(f.batsmanBalls[slot], live.batsmanBalls[at]);
            }
        }
    }
    EXPECT_GT(unknownNewBatsmen, 0);
}

// A match saved part-way, continued from its file to the end and saved again opens like any
// other, and its scoresheet is the one rebuilt from its record; one seed, one continuation.
TEST_F(Predictor, ASavedMatchContinuesFromItsFileToAWholeMatch) {
    test::ScratchDir dir;
    const Scores whole = played(8);
    struct Cut {
        int innings;
        int overs;
    };
    for (const Cut cut : {Cut{0, 10}, Cut{1, 3}}) {
        SCOPED_TRACE(cut.innings);
        Scores part = positionAfterOver(whole, cut.innings, cut.overs, database)->record;
        const std::string saved = dir.file("part.quo");
        ASSERT_FALSE(writeScoresFile(saved, part));
        ASSERT_TRUE(resumePosition(part, database));

        SimOptions command;
        command.playersPath = QUORVEL_PLAYERS_DAT;
        command.resumePath = saved;
        command.seed = 77;
        command.savePath = dir.file("whole.quo");
        command.logPath = dir.file("whole.log");
        const SimResult resumed = runResumeSim(command);
        ASSERT_EQ(resumed.exitStatus, 0) << resumed.errors;
        EXPECT_EQ(runResumeSim(command).output, resumed.output);
        Scores again;
        ASSERT_FALSE(readScoresFile(command.savePath, again));
        EXPECT_FALSE(resumePosition(again, database)) << "the match is over";
        // The saved overs are kept as they were.
        EXPECT_EQ(encodeScores(positionAfterOver(again, cut.innings, cut.overs, database)->record),
                  encodeScores(part));
        ScoreSheet rebuilt(again, database);
        replayIntoSheet(rebuilt, again);
        rebuilt.buildSheetText();
        EXPECT_EQ(resumed.output.substr(0, rebuilt.sheetText().size()), rebuilt.sheetText());
        // The log holds the saved overs' commentary, then the rest, one line a delivery held.
        EXPECT_EQ(resumed.log.substr(0, 4), "0.1\t");
        EXPECT_EQ(test::readBytes(command.logPath), resumed.log);

        // The built command prints what the library plays, and never writes over its input.
        const auto binary =
            std::filesystem::path(QUORVEL_PLAYERS_DAT).parent_path() / "quorvel-sim";
        if (std::filesystem::exists(binary)) {
            const std::string line = binary.string() + " --players " + command.playersPath +
                                     " --seed 77 --resume " + saved;
            EXPECT_EQ(test::runCommand(line).out, resumed.output);
            EXPECT_EQ(test::runCommand(line + " --log " + saved).status, 2);
            EXPECT_TRUE(test::readBytes(saved) == encodeScores(part));
        }
    }
    // Nothing bowled, or a match already over: nothing to play on.
    SimOptions command;
    command.playersPath = QUORVEL_PLAYERS_DAT;
    command.resumePath = dir.file("over.quo");
    ASSERT_FALSE(writeScoresFile(command.resumePath, whole));
    EXPECT_EQ(runResumeSim(command).exitStatus, 2);
    ASSERT_FALSE(writeScoresFile(command.resumePath, sides));
    EXPECT_EQ(runResumeSim(command).exitStatus, 2);
}

TEST_F(Predictor, APlayForItsResultAloneIsTheStatisticsMatchWithoutItsCard) {
    for (const std::uint32_t seed : {3u, 42u}) {
        Scores statistics = sides;
        Random statisticsRandom;
        const PlayedMatch withCard =
            playHeadlessMatch(statistics, database, statisticsRandom, seed, true, true, false);

        Scores resultOnly = sides;
        Random random;
        ComputerChoices choices(sides, database, random, seed, true, true);
        MatchScreen screen(resultOnly, database, random, choices);
        screen.playForResultOnly();
        choices.attach(screen);
        MatchSession session(screen, choices);
        session.begin();
        ASSERT_TRUE(session.playToEnd());

        EXPECT_EQ(encodeScores(screen.scores()), encodeScores(statistics)) << seed;
        EXPECT_EQ(random.state(), statisticsRandom.state());
        EXPECT_GT(withCard.cards[0].total, 0);
        EXPECT_EQ(screen.scoreSheet().card(0).total, 0);
        EXPECT_EQ(screen.scoreSheet().card(1).total, 0);
    }
}
