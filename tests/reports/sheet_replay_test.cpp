#include <gtest/gtest.h>

#include "common/dialog_fields.h"
#include "reports/sheet_replay.h"
#include "screen/match_driver.h"
#include "screen/opened_match.h"

namespace quorvel {
namespace {

// A played match's cards against the cards replayed from its saved record.
void expectSameCards(const InningsCard& played, const InningsCard& replayed) {
    EXPECT_EQ(replayed.total, played.total);
    EXPECT_EQ(replayed.wicketsDown, played.wicketsDown);
    EXPECT_DOUBLE_EQ(replayed.oversDone, played.oversDone);
    EXPECT_EQ(replayed.extraByes, played.extraByes);
    EXPECT_EQ(replayed.extraLegByes, played.extraLegByes);
    EXPECT_EQ(replayed.extraWides, played.extraWides);
    EXPECT_EQ(replayed.extraNoBalls, played.extraNoBalls);
    for (std::size_t row = 0; row < played.bowling.size(); ++row) {
        const BowlingEntry& a = played.bowling[row];
        const BowlingEntry& b = replayed.bowling[row];
        EXPECT_EQ(b.playerId, a.playerId) << "bowler row " << row;
        EXPECT_DOUBLE_EQ(b.oversDone, a.oversDone) << "bowler row " << row;
        EXPECT_EQ(b.maidenOvers, a.maidenOvers) << "bowler row " << row;
        EXPECT_EQ(b.runsGiven, a.runsGiven) << "bowler row " << row;
        EXPECT_EQ(b.wicketsTaken, a.wicketsTaken) << "bowler row " << row;
        EXPECT_EQ(b.wideRunsGiven, a.wideRunsGiven) << "bowler row " << row;
        EXPECT_EQ(b.noBallRunsGiven, a.noBallRunsGiven) << "bowler row " << row;
    }
    for (std::size_t w = 0; w < played.fallOfWickets.size(); ++w) {
        EXPECT_EQ(replayed.fallOfWickets[w].playerId, played.fallOfWickets[w].playerId);
        EXPECT_DOUBLE_EQ(replayed.fallOfWickets[w].oversAtFall,
                         played.fallOfWickets[w].oversAtFall);
    }
    // Every replayed batsman's figures are his played ones (one whose every delivery was an
    // overwritten extra may be missing, never wrong).
    for (const BattingEntry& b : replayed.batting) {
        if (b.playerId == kNoPlayer)
            continue;
        const auto a =
            std::find_if(played.batting.begin(), played.batting.end(),
                         [&](const BattingEntry& e) { return e.playerId == b.playerId; });
        ASSERT_NE(a, played.batting.end()) << "batsman " << b.playerId;
        EXPECT_EQ(b.runs, a->runs);
        EXPECT_EQ(b.ballsFaced, a->ballsFaced);
        EXPECT_EQ(b.fours, a->fours);
        EXPECT_EQ(b.sixes, a->sixes);
        EXPECT_EQ(b.howOut, a->howOut);
        EXPECT_EQ(b.fielderId, a->fielderId);
        EXPECT_EQ(b.bowlerId, a->bowlerId);
    }
}

TEST(SheetReplay, RebuildsTheCardsOfPlayedMatches) {
    for (std::uint32_t seed : {3u, 17u, 29u, 41u}) {
        SCOPED_TRACE(seed);
        test::MatchRun run(seed);
        ASSERT_TRUE(run.play(false));
        const Scores saved = decodeScores(encodeScores(run.sides.scores));
        ScoreSheet replayed(saved, run.sides.database);
        EXPECT_GT(replayIntoSheet(replayed, saved), 0);
        EXPECT_EQ(lastInningsPlayed(saved), 1);
        for (int innings = 0; innings < 2; ++innings)
            expectSameCards(run.screen.scoreSheet().card(innings), replayed.card(innings));
        // The replayed sheet reads as the played one in its header and totals.
        replayed.buildSheetText();
        run.screen.scoreSheet().buildSheetText();
        const std::string& played = run.screen.scoreSheet().sheetText();
        EXPECT_EQ(replayed.sheetText().substr(0, played.find("\r\n\r\n")),
                  played.substr(0, played.find("\r\n\r\n")));
        // The commentary rebuilt from the record is the played one, line for line, but for the
        // wides and no-balls, which it cannot place within their over.
        const auto withoutExtras = [](const std::string& text) {
            std::string kept;
            for (std::size_t at = 0, end; at < text.size(); at = end + 2) {
                end = text.find("\r\n", at);
                const std::string line = text.substr(at, end - at);
                if (line.find(": Wide Ball, ") == std::string::npos &&
                    line.find(": No Ball, ") == std::string::npos)
                    kept += line + "\n";
            }
            return kept;
        };
        const std::string rebuilt = commentaryOf(saved, run.sides.database);
        EXPECT_EQ(withoutExtras(rebuilt), withoutExtras(run.screen.log().text()));
        const auto count = [](const std::string& text, const std::string& what) {
            std::size_t n = 0;
            for (std::size_t at = text.find(what); at != std::string::npos;
                 at = text.find(what, at + 1))
                ++n;
            return n;
        };
        for (const std::string kind : {": Wide Ball, ", ": No Ball, "})
            EXPECT_EQ(count(rebuilt, kind), count(run.screen.log().text(), kind));
    }
}

TEST(SheetReplay, FinalFiguresAreExactlyThoseTheLiveScreenEndedWith) {
    int endedOnASixthBall = 0;
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        test::MatchRun run(seed);
        ASSERT_TRUE(run.play(false));
        ASSERT_EQ(run.user.inningsEnd.size(), 2u);
        const InningsFigures& end = run.user.inningsEnd[1];
        ScoreSheet replayed(run.sides.scores, run.sides.database);
        replayIntoSheet(replayed, run.sides.scores);
        const InningsFigures f = finalFigures(run.sides.scores, replayed, 1, run.sides.database);
        EXPECT_EQ(f.inningsIndex, 1);
        EXPECT_EQ(f.battingTeamName, end.battingTeamName);
        EXPECT_EQ(f.bowlingTeamName, end.bowlingTeamName);
        EXPECT_EQ(f.totalRuns, end.totalRuns);
        EXPECT_EQ(f.totalWickets, end.totalWickets);
        EXPECT_EQ(f.target, end.target);
        EXPECT_DOUBLE_EQ(f.targetRate, end.targetRate);
        EXPECT_EQ(f.bowlerNames, end.bowlerNames);
        EXPECT_EQ(f.bowlerPlayers, end.bowlerPlayers);
        EXPECT_EQ(f.bowlerRecords, end.bowlerRecords);
        EXPECT_EQ(f.bowlerMaidens, end.bowlerMaidens);
        EXPECT_EQ(f.bowlerWickets, end.bowlerWickets);
        // Shown with 15 digits, as the form shows them: an innings ended on an over's sixth
        // ball stays at x.6 as it did live, though the card completes the over.
        EXPECT_EQ(formatNumber(f.oversFigure), formatNumber(end.oversFigure));
        EXPECT_EQ(formatNumber(f.runRate), formatNumber(end.runRate));
        EXPECT_EQ(formatNumber(f.requiredRate), formatNumber(end.requiredRate));
        for (int row = 0; row < kBowlerRows; ++row)
            EXPECT_EQ(formatNumber(f.bowlerOvers[row]), formatNumber(end.bowlerOvers[row]));
        endedOnASixthBall += formatNumber(end.oversFigure).ends_with(".6") ? 1 : 0;
    }
    EXPECT_GT(endedOnASixthBall, 0);
}

TEST(SheetReplay, NothingBowledGivesAnEmptySheet) {
    test::TwoSides sides;
    ScoreSheet sheet(sides.scores, sides.database);
    EXPECT_EQ(replayIntoSheet(sheet, sides.scores), 0);
    EXPECT_EQ(lastInningsPlayed(sides.scores), -1);
    EXPECT_EQ(sheet.card(0).total, 0);
    const InningsFigures f = finalFigures(sides.scores, sheet, 0, sides.database);
    EXPECT_EQ(f.runRate, 0);
    EXPECT_EQ(f.batsmanIds[0], kNoPlayer);
}

TEST(SheetReplay, OverwrittenWidesCountInExtrasNotAgainstABatsman) {
    test::TwoSides sides;
    Scores& scores = sides.scores;
    Over& over = scores.innings[0].overs[0];
    over.bowlerId = scores.teams[1].playerAt(0);
    const int striker = scores.teams[0].playerAt(0);
    // Two wides whose slot the next delivery took, then six dot balls.
    over.wideRuns = 2;
    for (Ball& ball : over.balls)
        ball = Ball{striker, ExtraKind::Legal, Dismissal::NotOut, RunKind::Taken, 0, kNoPlayer};
    ScoreSheet sheet(scores, sides.database);
    replayIntoSheet(sheet, scores);
    const InningsCard& card = sheet.card(0);
    EXPECT_EQ(card.extraWides, 2);
    EXPECT_EQ(card.total, 2);
    EXPECT_DOUBLE_EQ(card.oversDone, 1.0);
    EXPECT_EQ(card.bowling[0].runsGiven, 2);
    EXPECT_EQ(card.bowling[0].wideRunsGiven, 2);
    EXPECT_EQ(card.bowling[0].maidenOvers, 0);
    EXPECT_EQ(card.batting[0].playerId, striker);
    EXPECT_EQ(card.batting[0].ballsFaced, 6);
    EXPECT_EQ(card.batting[1].playerId, kNoPlayer);
}

} // namespace
} // namespace quorvel
