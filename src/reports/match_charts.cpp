#include "reports/match_charts.h"

#include <algorithm>
#include <cstdint>

#include "records/delivery_effect.h"

namespace quorvel {

namespace {

int heldRuns(std::int64_t runs) {
    return static_cast<int>(std::clamp<std::int64_t>(runs, 0, kMostChartedOverRuns));
}

int lastOverBowled(const Innings& innings) {
    for (int over = kOversPerInnings - 1; over >= 0; --over)
        if (innings.overs[over].bowled())
            return over;
    return -1;
}

ChartInnings chartInnings(const Innings& innings) {
    ChartInnings chart;
    const int last = lastOverBowled(innings);
    std::int64_t total = 0;
    int wickets = 0;
    for (int index = 0; index <= last; ++index) {
        const Over& over = innings.overs[index];
        ChartOver row;
        std::int64_t runs = 0, wides = 0, noBalls = 0;
        if (over.bowled()) {
            for (int slot = 0; slot < kBallsPerOver; ++slot) {
                const Ball& ball = over.balls[slot];
                if (ball.batsmanId == kNoPlayer)
                    continue;
                const DeliveryEffect effect = deliveryEffect(ball);
                if (!effect.legal()) {
                    wides += effect.wides;
                    noBalls += effect.noBalls;
                    continue;
                }
                row.balls = slot + 1;
                runs += std::clamp<std::int64_t>(effect.totalRuns, 0, kMostChartedOverRuns);
                if (effect.wicket != nullptr) {
                    ++row.wickets;
                    chart.wickets.push_back(
                        {index, slot + 1, static_cast<int>(total + heldRuns(runs))});
                }
            }
            // The extras still in their slots, and those bowled again.
            const ExtrasBowledAgain again = extrasBowledAgain(over);
            runs += wides + again.wides + noBalls + again.noBalls;
        }
        row.runs = heldRuns(runs);
        total += row.runs;
        wickets += row.wickets;
        row.totalRuns = static_cast<int>(total);
        row.totalWickets = wickets;
        chart.overs.push_back(row);
    }
    return chart;
}

} // namespace

double ChartInnings::oversBowled() const {
    if (overs.empty())
        return 0;
    return static_cast<double>(overs.size() - 1) + overs.back().balls / 6.0;
}

int MatchCharts::mostRuns() const { return std::max(innings[0].runs(), innings[1].runs()); }

int MatchCharts::mostOverRuns() const {
    int most = 0;
    for (const ChartInnings& one : innings)
        for (const ChartOver& over : one.overs)
            most = std::max(most, over.runs);
    return most;
}

MatchCharts matchCharts(const Scores& scores) {
    MatchCharts charts;
    for (int k = 0; k < 2; ++k) {
        charts.innings[k] = chartInnings(scores.innings[k]);
        charts.innings[k].battingSide = scores.battingSide(k);
        charts.innings[k].side = scores.teams[scores.battingSide(k)].name();
    }
    if (!charts.innings[0].empty())
        charts.target = charts.innings[0].runs() + 1;
    return charts;
}

} // namespace quorvel
