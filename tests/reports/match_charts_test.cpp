#include <gtest/gtest.h>

#include "reports/match_charts.h"
#include "screen/match_driver.h"

namespace quorvel {
namespace {

Ball delivery(int runs, ExtraKind extraKind = ExtraKind::Legal, Dismissal out = Dismissal::NotOut) {
    Ball ball;
    ball.batsmanId = 1;
    ball.extraKind = extraKind;
    ball.dismissalKind = out;
    ball.runs = runs;
    return ball;
}

void fillOver(Over& over, std::initializer_list<Ball> balls) {
    over.bowlerId = 7;
    int slot = 0;
    for (const Ball& ball : balls)
        over.balls[slot++] = ball;
}

TEST(MatchCharts, ChartsOversWicketsTotalsAndTheChase) {
    Scores scores;
    scores.teams[0].setName("Left");
    scores.teams[1].setName("Right");
    scores.battingFirst = 1; // the first innings is batted by teams[1]

    // Nothing bowled: two empty innings and no target.
    MatchCharts none = matchCharts(scores);
    EXPECT_TRUE(none.innings[0].empty() && none.innings[1].empty());
    EXPECT_FALSE(none.target.has_value());

    Innings& first = scores.innings[0];
    // A maiden.
    fillOver(first.overs[0],
             {delivery(0), delivery(0), delivery(0), delivery(0), delivery(0), delivery(0)});
    // A no-ball bowled again (its 1 run kept only in the over's extras), a four, and a wicket
    // on the over's last ball.
    fillOver(first.overs[1], {delivery(1), delivery(4, ExtraKind::Legal), delivery(0), delivery(2),
                              delivery(0), delivery(0, ExtraKind::Legal, Dismissal::Bowled)});
    first.overs[1].balls[1].runKind = RunKind::Boundary;
    first.overs[1].noBallRuns = 1;

    Innings& second = scores.innings[1];
    fillOver(second.overs[0], {delivery(6), delivery(0, ExtraKind::Legal, Dismissal::Caught),
                               delivery(0), delivery(0), delivery(0), delivery(0)});
    // The chase ends on a wide after two more balls of the second over.
    fillOver(second.overs[1], {delivery(1), delivery(2), delivery(1, ExtraKind::Wide)});
    second.overs[1].wideRuns = 1;

    const MatchCharts charts = matchCharts(scores);
    const ChartInnings& a = charts.innings[0];
    EXPECT_EQ(a.side, "Right");
    EXPECT_EQ(a.battingSide, 1);
    ASSERT_EQ(a.overs.size(), 2u);
    EXPECT_EQ(a.overs[0].runs, 0);
    EXPECT_EQ(a.overs[1].runs, 8);
    EXPECT_EQ(a.overs[1].totalWickets, 1);
    ASSERT_EQ(a.wickets.size(), 1u);
    EXPECT_EQ(a.wickets[0].over, 1);
    EXPECT_EQ(a.wickets[0].ball, 6);
    EXPECT_EQ(a.wickets[0].totalRuns, 7); // the no-ball counts at the over's end
    EXPECT_DOUBLE_EQ(a.oversBowled(), 2);
    ASSERT_EQ(charts.target, 9);

    const ChartInnings& b = charts.innings[1];
    EXPECT_EQ(b.side, "Left");
    ASSERT_EQ(b.overs.size(), 2u);
    EXPECT_EQ(b.wickets[0].ball, 2);
    EXPECT_EQ(b.overs[1].runs, 4); // the wide held in its slot is counted once
    EXPECT_EQ(b.overs[1].balls, 2);
    EXPECT_EQ(b.runs(), 10);
    EXPECT_DOUBLE_EQ(b.oversBowled(), 1 + 2 / 6.0);
    EXPECT_EQ(charts.mostRuns(), 10);
    EXPECT_EQ(charts.mostOverRuns(), 8);

    // The text a screen reader reads: scores, the over in hand, the latest chances.
    EXPECT_EQ(chartsSummary(none), "No ball bowled yet.");
    MatchCharts told = charts;
    told.chances.push_back({1, 1, {0.625, 0.35}, {0.01, 0.01}, 0.025});
    EXPECT_EQ(chartsSummary(told), "Right 8 for 1 in 2 overs. Left 10 for 1 in 1.2 overs, chasing "
                                   "9. Last over: 4 runs, no wicket. Chances of winning: Left 63 "
                                   "%, Right 35 %, tie 3 %.");
    told.innings[1] = ChartInnings{"Left", 0, {}, {}};
    EXPECT_EQ(chartsSummary(told).substr(0, 70),
              "Right 8 for 1 in 2 overs. Left yet to bat. Last over: 8 runs, 1 wicket");

    // Absurd figures of a damaged file are held within what can be charted; an over not
    // bowled before one that was counts nothing.
    second.overs[3].bowlerId = 2;
    second.overs[3].balls[0] = delivery(INT32_MAX);
    second.overs[3].balls[1] = delivery(-50);
    second.overs[3].wideRuns = INT32_MAX;
    second.overs[3].noBallRuns = INT32_MIN;
    const ChartInnings damaged = matchCharts(scores).innings[1];
    ASSERT_EQ(damaged.overs.size(), 4u);
    EXPECT_EQ(damaged.overs[2].runs, 0);
    EXPECT_EQ(damaged.overs[3].runs, kMostChartedOverRuns);
    EXPECT_EQ(damaged.runs(), 10 + kMostChartedOverRuns);
}

TEST(MatchCharts, AgreeWithTheCardsOfPlayedMatches) {
    for (std::uint32_t seed : {5u, 23u}) {
        SCOPED_TRACE(seed);
        test::MatchRun run(seed);
        ASSERT_TRUE(run.play(false));
        const MatchCharts charts = matchCharts(run.sides.scores);
        for (int k = 0; k < 2; ++k) {
            const InningsCard& card = run.screen.scoreSheet().card(k);
            EXPECT_EQ(charts.innings[k].runs(), card.total);
            EXPECT_EQ(charts.innings[k].wicketsDown(), card.wicketsDown);
            EXPECT_EQ(static_cast<int>(charts.innings[k].wickets.size()), card.wicketsDown);
        }
    }
}

} // namespace
} // namespace quorvel
