#include "cli/predict_command.h"

#include "common/text_format.h"
#include "records/player_database.h"
#include "records/scores.h"
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

void writePrediction(cli::OutputFormat format, const Scores& record,
                     const std::vector<WinPoint>& points, int remainders,
                     const std::function<void(std::string_view)>& write) {
    const std::string& left = record.teams[0].name();
    const std::string& right = record.teams[1].name();
    const bool text = format == cli::OutputFormat::Text;
    const bool csv = format == cli::OutputFormat::Csv;
    cli::TableWriter writer(format, write);
    if (text) {
        write(formatText("%s v %s: the chance of winning after each over, from %d plays of the "
                         "rest of the match\n",
                         left.c_str(), right.c_str(), remainders) +
              formatText("inn over  score  %12.12s      %12.12s      tie    innings total\n",
                         left.c_str(), right.c_str()));
    } else {
        writer.member("left", left);
        writer.member("right", right);
        writer.member("remainders", remainders);
        writer.beginTable("overs", {"innings", "over", "batting", "runs", "wickets", "left",
                                    "left_win", "left_error", "right", "right_win", "right_error",
                                    "tie", "tie_error", "total_mean", "total_low", "total_high"});
    }
    const MatchCharts charts = matchCharts(record);
    for (const WinPoint& point : points) {
        const WinEstimate& e = point.estimate;
        // The innings' score after the over, as the charts read it from the record.
        const auto& overs = charts.innings[point.innings].overs;
        const std::size_t at = static_cast<std::size_t>(point.overs - 1);
        const int runs = at < overs.size() ? overs[at].totalRuns : 0;
        const int wickets = at < overs.size() ? overs[at].totalWickets : 0;
        const double mean = meanTotal(e.finalTotals);
        const int low = totalAtShare(e.finalTotals, 0.1);
        const int high = totalAtShare(e.finalTotals, 0.9);
        if (text) {
            write(formatText("%3d %4d %4d/%-2d %5.1f %% ± %-4.1f %5.1f %% ± %-4.1f %5.1f %%   "
                             "%5.1f (%d-%d)\n",
                             point.innings + 1, point.overs, runs, wickets, 100 * e.win[0],
                             100 * e.winError[0], 100 * e.win[1], 100 * e.winError[1], 100 * e.tie,
                             mean, low, high));
            continue;
        }
        const auto four = [](double value) { return cli::Cell::number("%.4f", value); };
        cli::Row row = {{"innings", point.innings + 1},
                        {"over", point.overs},
                        {"batting", record.teams[record.battingSide(point.innings)].name()},
                        {"runs", runs},
                        {"wickets", wickets}};
        // The sides' names are the document's members in JSON, a column of every row in CSV.
        if (csv)
            row.emplace_back("left", left);
        row.emplace_back("left_win", four(e.win[0]));
        row.emplace_back("left_error", four(e.winError[0]));
        if (csv)
            row.emplace_back("right", right);
        row.emplace_back("right_win", four(e.win[1]));
        row.emplace_back("right_error", four(e.winError[1]));
        row.emplace_back("tie", four(e.tie));
        row.emplace_back("tie_error", four(e.tieError));
        row.emplace_back("total_mean", cli::Cell::number("%.1f", mean));
        row.emplace_back("total_low", low);
        row.emplace_back("total_high", high);
        writer.row(row);
    }
    if (!text) {
        writer.endTable();
        writer.finish();
    }
}

std::string predictionReport(cli::OutputFormat format, const Scores& record,
                             const std::vector<WinPoint>& points, int remainders) {
    std::string out;
    writePrediction(format, record, points, remainders,
                    [&out](std::string_view text) { out += text; });
    return out;
}

SimResult runPredictSim(const SimOptions& options) {
    PlayerDatabase database;
    if (auto failed = loadSimCommandDatabase(database, options))
        return std::move(*failed);
    Scores scores;
    // The commentary is only kept for a log; the match is the same either way.
    SimResult result = playSimMatch(options, database, scores, !options.logPath.empty());
    if (result.exitStatus != 0)
        return result;
    result.output.clear();
    writeMatchFiles(options, scores, result);
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
