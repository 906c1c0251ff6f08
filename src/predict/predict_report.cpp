#include "predict/predict_report.h"

#include "common/text_format.h"
#include "records/player_database.h"
#include "reports/match_charts.h"

namespace quorvel {

namespace {

// The run total below which `share` of the remainders ended (the first total reaching it).
int totalAtShare(const std::vector<std::int64_t>& totals, double share) {
    std::int64_t all = 0;
    for (const std::int64_t count : totals)
        all += count;
    std::int64_t seen = 0;
    for (std::size_t runs = 0; runs < totals.size(); ++runs) {
        seen += totals[runs];
        if (all > 0 && static_cast<double>(seen) >= share * static_cast<double>(all))
            return static_cast<int>(runs);
    }
    return 0;
}

double meanTotal(const std::vector<std::int64_t>& totals) {
    double sum = 0;
    std::int64_t all = 0;
    for (std::size_t runs = 0; runs < totals.size(); ++runs) {
        sum += static_cast<double>(runs) * static_cast<double>(totals[runs]);
        all += totals[runs];
    }
    return all == 0 ? 0 : sum / static_cast<double>(all);
}

} // namespace

std::string predictionReport(SimFormat format, const Scores& record,
                             const std::vector<WinPoint>& points, int remainders) {
    const std::string& left = record.teams[0].name();
    const std::string& right = record.teams[1].name();
    std::string out;
    if (format == SimFormat::Csv)
        out = "innings,over,batting,runs,wickets,left,left_win,left_error,right,right_win,"
              "right_error,tie,tie_error,total_mean,total_low,total_high\n";
    else if (format == SimFormat::Json)
        out = "{\n  \"left\": " + jsonString(left) + ",\n  \"right\": " + jsonString(right) +
              ",\n  \"remainders\": " + std::to_string(remainders) + ",\n  \"overs\": [";
    else
        out = formatText("%s v %s: the chance of winning after each over, from %d plays of the "
                         "rest of the match\n",
                         left.c_str(), right.c_str(), remainders) +
              formatText("inn over  score  %12.12s      %12.12s      tie    innings total\n",
                         left.c_str(), right.c_str());
    const char* separator = "\n";
    const MatchCharts charts = matchCharts(record);
    for (const WinPoint& point : points) {
        const WinEstimate& e = point.estimate;
        // The innings' score after the over, as the charts read it from the record.
        const auto& overs = charts.innings[point.innings].overs;
        const std::size_t at = static_cast<std::size_t>(point.overs - 1);
        const int runs = at < overs.size() ? overs[at].totalRuns : 0;
        const int wickets = at < overs.size() ? overs[at].totalWickets : 0;
        const std::string& batting = record.teams[record.battingSide(point.innings)].name();
        const double mean = meanTotal(e.finalTotals);
        const int low = totalAtShare(e.finalTotals, 0.1);
        const int high = totalAtShare(e.finalTotals, 0.9);
        if (format == SimFormat::Csv) {
            out += formatText("%d,%d,", point.innings + 1, point.overs) + csvField(batting) +
                   formatText(",%d,%d,", runs, wickets) + csvField(left) +
                   formatText(",%.4f,%.4f,", e.win[0], e.winError[0]) + csvField(right) +
                   formatText(",%.4f,%.4f,%.4f,%.4f,%.1f,%d,%d\n", e.win[1], e.winError[1], e.tie,
                              e.tieError, mean, low, high);
        } else if (format == SimFormat::Json) {
            out += separator;
            out +=
                formatText("    {\"innings\": %d, \"over\": %d, \"batting\": ", point.innings + 1,
                           point.overs) +
                jsonString(batting) +
                formatText(", \"runs\": %d, \"wickets\": %d, \"left_win\": %.4f, "
                           "\"left_error\": %.4f, \"right_win\": %.4f, \"right_error\": %.4f, "
                           "\"tie\": %.4f, \"tie_error\": %.4f, \"total_mean\": %.1f, "
                           "\"total_low\": %d, \"total_high\": %d}",
                           runs, wickets, e.win[0], e.winError[0], e.win[1], e.winError[1], e.tie,
                           e.tieError, mean, low, high);
            separator = ",\n";
        } else {
            out += formatText("%3d %4d %4d/%-2d %5.1f %% ± %-4.1f %5.1f %% ± %-4.1f %5.1f %%   "
                              "%5.1f (%d-%d)\n",
                              point.innings + 1, point.overs, runs, wickets, 100 * e.win[0],
                              100 * e.winError[0], 100 * e.win[1], 100 * e.winError[1], 100 * e.tie,
                              mean, low, high);
        }
    }
    if (format == SimFormat::Json)
        out += "\n  ]\n}\n";
    return out;
}

SimResult runPredictSim(const SimOptions& options) {
    PlayerDatabase database;
    if (auto failed = loadSimCommandDatabase(database, options))
        return std::move(*failed);
    Scores scores;
    SimResult result = playSimMatch(options, database, scores, false);
    if (result.exitStatus != 0)
        return result;
    PredictOptions predict;
    predict.remainders = options.remainders;
    predict.threads = options.jobs;
    result.output = predictionReport(
        options.format, scores, predictEveryOver(scores, database, predict), options.remainders);
    return result;
}

} // namespace quorvel
