#include "cli/shard_rows.h"

#include "records/scores.h"
#include "reports/match_stats.h"
#include "screen/statistics_run.h"

namespace quorvel {

int* inningsFigure(InningsSummary& innings, int figure) {
    int* const figures[7] = {&innings.byes,  &innings.legByes, &innings.wides,  &innings.noBalls,
                             &innings.fours, &innings.sixes,   &innings.maidens};
    return figures[figure];
}

namespace {

std::vector<std::string> makeShardColumns() {
    std::vector<std::string> columns = {"sides"};
    for (const char* innings : kInningsNames)
        for (const char* figure : kInningsFigures)
            columns.push_back(std::string(innings) + "_" + figure);
    for (const char* list : {"top_score_", "best_bowling_"})
        for (std::size_t i = 1; i <= kPerformancesInRow; ++i)
            columns.push_back(list + std::to_string(i));
    return columns;
}

std::string performanceField(const MatchStatistics::Performance& performance) {
    return std::to_string(performance.primary) + " " + std::to_string(performance.secondary) + " " +
           performance.text;
}

} // namespace

const std::vector<std::string>& shardColumns() {
    static const std::vector<std::string> columns = makeShardColumns();
    return columns;
}

void addShardValues(std::vector<cli::Cell>& values, const StatisticsMatch& match,
                    const std::string& sides, const PlayerDatabase& database) {
    values.emplace_back(sides);
    for (int k = 0; k < 2; ++k) {
        InningsSummary innings = summarizeInnings(match.cards[k]);
        for (int figure = 0; figure < 7; ++figure)
            values.emplace_back(*inningsFigure(innings, figure));
    }
    // The match's own best five of each list, in the order the aggregates would keep them.
    MatchStatistics one;
    const Scores& pair = *match.sides;
    one.addMatch(match.cards, pair.teams[match.firstBatting].name(),
                 pair.teams[1 - match.firstBatting].name(), database);
    for (const auto* list : {&one.topScores(), &one.bestBowling()})
        for (std::size_t i = 0; i < kPerformancesInRow; ++i)
            values.emplace_back(i < list->size() ? performanceField((*list)[i]) : std::string());
}

} // namespace quorvel
