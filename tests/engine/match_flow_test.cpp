#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "engine/bowler_rows.h"
#include "engine/match_flow.h"
#include "screen/match_driver.h"

namespace quorvel {
namespace {

using test::MatchRun;
using test::PlayerProfile;
using test::TwoSides;

std::string oversText(double figure) {
    char text[32];
    std::snprintf(text, sizeof text, "%0.1lf", figure);
    return text;
}

// What the match record says about one innings.
struct InningsRecord {
    int overs = 0;         // overs started
    int lastOverBalls = 0; // legal balls of the last over started
    int wickets = 0;
    int runs = 0;
    std::map<int, int> oversByBowler;
    std::map<int, int> maidensByBowler; // completed overs without a run of any kind
    bool bowlerTwiceRunning = false;
};

// Overs before completedOvers that were finished count towards the maidens.
InningsRecord readInnings(const Innings& innings, int completedOvers) {
    InningsRecord record;
    int lastBowler = kNoPlayer;
    for (const Over& over : innings.overs) {
        if (!over.bowled())
            break;
        ++record.overs;
        record.bowlerTwiceRunning |= over.bowlerId == lastBowler;
        lastBowler = over.bowlerId;
        ++record.oversByBowler[over.bowlerId];
        record.runs += over.wideRuns + over.noBallRuns;
        int legal = 0;
        for (const Ball& ball : over.balls) {
            if (ball.batsmanId == kNoPlayer || ball.extraKind != ExtraKind::Legal)
                continue;
            ++legal;
            record.runs += ball.runs;
            record.wickets += ball.dismissalKind != Dismissal::NotOut ? 1 : 0;
        }
        record.lastOverBalls = legal;
        if (record.overs <= completedOvers && legal == kBallsPerOver && overRuns(over) == 0)
            ++record.maidensByBowler[over.bowlerId];
    }
    return record;
}

// Checks every rule of the innings flow on a finished match.
void checkFinishedMatch(MatchRun& run) {
    const Scores& scores = run.sides.scores;
    ASSERT_EQ(run.user.inningsEnd.size(), 2u);
    const InningsFigures& first = run.user.inningsEnd[0];
    const InningsFigures& second = run.user.inningsEnd[1];
    const MatchFlow& flow = run.screen.flow();

    for (int k = 0; k < 2; ++k) {
        SCOPED_TRACE("innings " + std::to_string(k));
        const InningsFigures& f = run.user.inningsEnd[k];
        const InningsRecord record = readInnings(scores.innings[k], f.overNumber);
        EXPECT_EQ(f.inningsIndex, k);
        EXPECT_EQ(record.runs, f.totalRuns);
        EXPECT_EQ(record.wickets, f.totalWickets);
        EXPECT_FALSE(record.bowlerTwiceRunning);
        for (const auto& [bowler, overs] : record.oversByBowler)
            EXPECT_LE(overs, 10) << "bowler " << bowler;

        // The innings ends by one of its rules, and only then.
        const bool allOut = f.totalWickets == 10;
        const bool chased = k == 1 && f.totalRuns >= f.target;
        const bool oversDone = f.overNumber == kOversPerInnings;
        EXPECT_TRUE(allOut || chased || oversDone);
        if (oversDone) {
            EXPECT_EQ(record.overs, kOversPerInnings);
            EXPECT_EQ(f.oversFigure, 50.0);
            EXPECT_EQ(record.lastOverBalls, kBallsPerOver);
        } else {
            // Ended during an over: no end-of-over step, overs as overs.balls.
            EXPECT_EQ(record.overs, f.overNumber + 1);
            EXPECT_EQ(oversText(f.oversFigure),
                      oversText(f.overNumber + record.lastOverBalls / 10.0));
        }
        EXPECT_NE(flow.inningsLine(k).find(" in " + oversText(f.oversFigure) + " overs"),
                  std::string::npos)
            << flow.inningsLine(k);

        // Maidens: completed overs with no run of any kind, per player over his rows.
        std::map<int, int> maidens;
        for (int row = 0; row < kBowlerRows; ++row)
            if (!f.bowlerNames[row].empty())
                maidens[run.sides.database.findByDisplayName(f.bowlerNames[row])->playerId] +=
                    f.bowlerMaidens[row];
        for (const auto& [bowler, count] : record.maidensByBowler)
            EXPECT_EQ(maidens[bowler], count) << "bowler " << bowler;
        int total = 0;
        for (const auto& [bowler, count] : maidens)
            total += count;
        int expected = 0;
        for (const auto& [bowler, count] : record.maidensByBowler)
            expected += count;
        EXPECT_EQ(total, expected);
    }

    // Target, rates and margins.
    EXPECT_EQ(second.target, first.totalRuns + 1);
    EXPECT_DOUBLE_EQ(second.targetRate, second.target * 0.02);
    EXPECT_EQ(second.progressRange, second.target);
    EXPECT_EQ(second.progressPosition, second.totalRuns);
    EXPECT_EQ(flow.inningsLine(0), inningsResultLine(first));
    EXPECT_EQ(flow.inningsLine(1), inningsResultLine(second));
    EXPECT_EQ(run.user.messages.back(), flow.inningsLine(1));
    EXPECT_EQ(scores.battingSide(0), scores.battingFirst == 0 ? 0 : 1);
    EXPECT_EQ(first.battingTeamName, scores.teams[scores.battingSide(0)].name());
    EXPECT_EQ(second.battingTeamName, first.bowlingTeamName);

    // After the match nothing can be bowled or chosen.
    EXPECT_FALSE(run.screen.bowlOverEnabled());
    for (bool enabled : run.screen.bowlerButtons().enabled)
        EXPECT_FALSE(enabled);
}

TEST(InningsResultLine, TheFourFormats) {
    InningsFigures f;
    f.battingTeamName = "Lefts";
    f.bowlingTeamName = "Rights";
    f.totalRuns = 187;
    f.totalWickets = 10;
    f.oversFigure = 33.4;
    f.runRate = 187 / 33.4;
    EXPECT_EQ(inningsResultLine(f),
              "Lefts scored 187 runs for 10 wickets in 33.4 overs at 5.60 runs per over");
    f.inningsIndex = 1;
    f.target = 188;
    f.totalRuns = 188;
    f.totalWickets = 9;
    EXPECT_EQ(inningsResultLine(f),
              "Lefts scored 188 runs for 9 wickets in 33.4 overs, beating Rights by 1 wickets");
    f.totalRuns = 187;
    f.oversFigure = 50;
    EXPECT_EQ(inningsResultLine(f), "Lefts scored 187 runs for 9 wickets in 50.0 overs, "
                                    "resulting in a TIED match!");
    f.totalRuns = 186;
    EXPECT_EQ(inningsResultLine(f),
              "Lefts scored 186 runs for 9 wickets in 50.0 overs, losing to Rights by 1 runs");
}

// Plays seeded matches with random user choices until every kind of ending has been seen;
// every match must keep every rule.
TEST(WholeMatch, SeededMatchesKeepEveryRuleAndReachEveryEnding) {
    bool tie = false, winByWickets = false, lossByRuns = false, chaseOnExtra = false;
    bool fiftyOvers = false, allOutMidOver = false, sevenWicketWin = false;
    int played = 0;
    for (std::uint32_t seed = 1; seed <= 3000; ++seed) {
        if (tie && winByWickets && lossByRuns && chaseOnExtra && fiftyOvers && allOutMidOver &&
            sevenWicketWin && played >= 200)
            break;
        SCOPED_TRACE("seed " + std::to_string(seed));
        MatchRun run(seed);
        run.sides.scores.battingFirst = static_cast<int>(seed % 2);
        if (seed % 3 == 0) { // the computer captains the left side
            run.sides.scores.teams[0].setComputerControlled(1);
            run.sides.scores.teams[1].setComputerControlled(0);
        }
        ASSERT_TRUE(run.play());
        ++played;
        checkFinishedMatch(run);
        if (HasFatalFailure() || ::testing::Test::HasFailure())
            return;

        const InningsFigures& first = run.user.inningsEnd[0];
        const InningsFigures& second = run.user.inningsEnd[1];
        tie |= second.totalRuns == second.target - 1;
        lossByRuns |= second.totalRuns < second.target - 1;
        if (second.totalRuns >= second.target) {
            winByWickets = true;
            sevenWicketWin |= second.totalWickets == 3 && run.screen.flow().inningsLine(1).find(
                                                              "by 7 wickets") != std::string::npos;
            const std::string& log = run.screen.log().text();
            const auto lastLine = log.rfind("\r\n", log.size() - 3);
            const std::string ending = log.substr(lastLine + 2);
            chaseOnExtra |= ending.find("Wide Ball") != std::string::npos ||
                            ending.find("No Ball") != std::string::npos;
        }
        fiftyOvers |= first.overNumber == kOversPerInnings && first.totalWickets < 10;
        allOutMidOver |= first.totalWickets == 10 && std::fmod(first.oversFigure, 1.0) > 0.05;
    }
    EXPECT_TRUE(tie);
    EXPECT_TRUE(winByWickets);
    EXPECT_TRUE(sevenWicketWin);
    EXPECT_TRUE(lossByRuns);
    EXPECT_TRUE(chaseOnExtra);
    EXPECT_TRUE(fiftyOvers);
    EXPECT_TRUE(allOutMidOver);
}

// A side of exactly five bowlers fielding under a careless captain (the first row offered,
// every over) still bowls its fifty overs.
TEST(WholeMatch, FiveBowlersUnderACarelessCaptainFinishTheInnings) {
    std::vector<PlayerProfile> five = test::standardEleven("L");
    five[5].bowlingFlags = 0; // Flint no longer bowls: Coral, Garnet, Jade, Lapis, Mica remain
    std::vector<PlayerProfile> batsmen = test::standardEleven("R");
    for (auto& profile : batsmen)
        profile.battingAverage = 60; // rarely out: the innings lasts its fifty overs
    for (std::uint32_t seed = 1; seed <= 5; ++seed) {
        MatchRun run(seed, TwoSides(five, batsmen));
        run.sides.scores.battingFirst = 1; // the user's side (left) fields first
        run.screen.startMatch();
        ASSERT_EQ(filledBowlerRows(run.screen.figures()), 5);
        std::map<std::string, int> overs;
        std::string last;
        while (run.screen.state() == MatchState::FirstInnings) {
            const auto& buttons = run.screen.bowlerButtons();
            const auto first = std::find(buttons.enabled.begin(), buttons.enabled.end(), true);
            ASSERT_NE(first, buttons.enabled.end()) << "no bowler offered";
            run.screen.selectBowlerRow(static_cast<int>(first - buttons.enabled.begin()));
            const std::string bowler =
                run.screen.figures().bowlerNames[run.screen.figures().currentBowlerRow];
            EXPECT_NE(bowler, last);
            EXPECT_LE(++overs[bowler], 10);
            last = bowler;
            run.screen.onBowlOver();
        }
        ASSERT_EQ(run.user.inningsEnd.size(), 1u);
        const InningsFigures& innings = run.user.inningsEnd[0];
        if (innings.totalWickets < 10) {
            EXPECT_EQ(innings.overNumber, kOversPerInnings) << "seed " << seed;
            for (const auto& [name, count] : overs)
                EXPECT_EQ(count, 10) << name;
        }
    }
}

// A side with fewer than five bowlers cannot bowl fifty overs: its innings ends when nobody
// may bowl, instead of leaving "Bowl Over" stuck.
TEST(WholeMatch, TooFewBowlersEndTheInningsWhenNobodyMayBowl) {
    std::vector<PlayerProfile> three = test::standardEleven("L");
    for (int k : {3, 5, 8})
        three[k].bowlingFlags = 0; // Garnet, Jade and Mica are left
    std::vector<PlayerProfile> batsmen = test::standardEleven("R");
    for (auto& profile : batsmen)
        profile.battingAverage = 60;
    for (int computerFields = 0; computerFields < 2; ++computerFields) {
        TwoSides sides(three, batsmen);
        sides.scores.teams[0].setComputerControlled(computerFields);
        sides.scores.teams[1].setComputerControlled(1 - computerFields);
        sides.scores.battingFirst = 1;
        MatchRun run(11, std::move(sides));
        ASSERT_TRUE(run.play(false));
        const InningsFigures& innings = run.user.inningsEnd[0];
        // The computer spreads the overs: three bowlers, thirty overs. A careless user may
        // strand the innings sooner.
        if (computerFields == 1 && innings.totalWickets < 10) {
            EXPECT_EQ(innings.overNumber, 30);
        }
        EXPECT_LE(innings.overNumber, 30);
    }
}

} // namespace
} // namespace quorvel
