#include "reports/match_charts.h"

#include <algorithm>
#include <cmath>
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

namespace {

// The overs of an innings in overs.balls notation: "12.3", or "13" once the over is complete.
std::string oversText(const ChartInnings& innings) {
    const int complete = static_cast<int>(innings.overs.size()) - 1;
    const int balls = innings.overs.back().balls;
    if (balls >= kBallsPerOver || balls == 0)
        return std::to_string(balls == 0 ? complete : complete + 1);
    return std::to_string(complete) + "." + std::to_string(balls);
}

std::string plural(int count, const std::string& one) {
    return std::to_string(count) + " " + one + (count == 1 ? "" : "s");
}

std::string percentText(double share) {
    return std::to_string(std::lround(std::clamp(share, 0.0, 1.0) * 100)) + " %";
}

std::string sideName(const MatchCharts& charts, int team) {
    for (const ChartInnings& innings : charts.innings)
        if (innings.battingSide == team && !innings.side.empty())
            return innings.side;
    return team == 0 ? "First side" : "Second side";
}

} // namespace

std::string chartsSummary(const MatchCharts& charts) {
    if (charts.innings[0].empty())
        return "No ball bowled yet.";
    std::string text;
    const ChartInnings* last = nullptr;
    for (int k = 0; k < 2; ++k) {
        const ChartInnings& innings = charts.innings[k];
        if (innings.empty()) {
            text += " " + innings.side + " yet to bat.";
            continue;
        }
        last = &innings;
        const std::string overs = oversText(innings);
        text += (k == 0 ? "" : " ") + innings.side + " " + std::to_string(innings.runs()) +
                " for " + std::to_string(innings.wicketsDown()) + " in " + overs +
                (overs == "1" ? " over" : " overs");
        if (k == 1 && charts.target)
            text += ", chasing " + std::to_string(*charts.target);
        text += ".";
    }
    const ChartOver& over = last->overs.back();
    text += " Last over: " + plural(over.runs, "run") + ", " +
            (over.wickets == 0 ? std::string("no wicket") : plural(over.wickets, "wicket")) + ".";
    if (!charts.chances.empty()) {
        const ChartChance& chance = charts.chances.back();
        text += " Chances of winning: " + sideName(charts, 0) + " " + percentText(chance.win[0]) +
                ", " + sideName(charts, 1) + " " + percentText(chance.win[1]) + ", tie " +
                percentText(chance.tie) + ".";
    }
    return text;
}

} // namespace quorvel
