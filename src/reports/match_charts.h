#pragma once
// The figures behind the pictures of a match: the worm (each side's running total over by over,
// with its wickets), the Manhattan (the runs of each over, with its wickets) and each side's
// chance of winning after each over. The first two are read from the ball-by-ball record, so a
// match in play and an opened one chart the same way; the chances are worked out elsewhere and
// handed in.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "records/scores.h"

namespace quorvel {

// The most runs one over is charted with: a damaged file's absurd runs are held to it, and a
// negative figure counts as none.
inline constexpr int kMostChartedOverRuns = 999;

struct ChartOver {
    int runs = 0;         // every run of the over, extras included
    int wickets = 0;      // wickets that fell in it
    int balls = 0;        // legal balls bowled in it (6 once it is complete)
    int totalRuns = 0;    // the innings' total at its end
    int totalWickets = 0; // the innings' wickets at its end
};

struct ChartWicket {
    int over = 0;      // 0-based over
    int ball = 0;      // 1..6: the legal ball of the over it fell to
    int totalRuns = 0; // the innings' total when it fell
};

struct ChartInnings {
    std::string side;             // the batting side's name
    int battingSide = 0;          // its index into Scores::teams
    std::vector<ChartOver> overs; // up to the last over bowled; an over not bowled counts nothing
    std::vector<ChartWicket> wickets;

    bool empty() const { return overs.empty(); }
    int runs() const { return overs.empty() ? 0 : overs.back().totalRuns; }
    int wicketsDown() const { return overs.empty() ? 0 : overs.back().totalWickets; }
    // The overs figure as a fraction: 12 overs and 3 balls is 12.5.
    double oversBowled() const;
};

// The chances after one over of the match, each a share (0..1) with its standard error.
struct ChartChance {
    int innings = 0;                  // 0 or 1
    int overs = 0;                    // overs of that innings bowled
    std::array<double, 2> win{};      // by side, indexed as Scores::teams
    std::array<double, 2> winError{}; // the same way
    double tie = 0;
};

struct MatchCharts {
    std::array<ChartInnings, 2> innings;
    // The runs the second innings needs to win, once the first has a delivery.
    std::optional<int> target;
    // The chances after the overs estimated so far, in the order of the match, and whether more
    // are being worked out.
    std::vector<ChartChance> chances;
    bool estimating = false;

    // The highest running total and the most runs in one over, for the charts' scales.
    int mostRuns() const;
    int mostOverRuns() const;
};

// Every delivery is read through deliveryEffect. The record keeps only the delivery that finally
// filled each slot, so the runs of a wide or no-ball whose slot was bowled again are known only
// from the over's extras; they count at the over's end.
MatchCharts matchCharts(const Scores& scores);

// What the charts show, as text a screen reader reads: each innings' score, the last over and
// the latest chances of winning, e.g. "Right 8 for 1 in 2 overs. Left 10 for 1 in 1.2 overs,
// chasing 9. Last over: 4 runs, no wicket. Chances of winning: Left 63 %, Right 35 %, tie 2 %."
std::string chartsSummary(const MatchCharts& charts);

} // namespace quorvel
