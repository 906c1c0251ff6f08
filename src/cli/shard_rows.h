#pragma once
// The rows of a statistics run split over machines (--shard-rows): the columns a row carries
// after the run's own, written by the statistics run and read back by --aggregate.

#include <cstddef>
#include <string>
#include <vector>

#include "cli/table_writer.h"

namespace quorvel {

class PlayerDatabase;
struct InningsSummary;
struct StatisticsMatch;

// How many top scores and best bowling figures a row carries, and its innings' figures.
constexpr std::size_t kPerformancesInRow = 5;
inline const char* const kInningsNames[2] = {"first", "second"};
inline const char* const kInningsFigures[7] = {"byes",  "leg_byes", "wides",  "no_balls",
                                               "fours", "sixes",    "maidens"};
// The innings' figure of kInningsFigures[figure].
int* inningsFigure(InningsSummary& innings, int figure);

// The columns a shard row carries after a statistics run's own: the run's sides, each
// innings' extras by kind, boundaries and maidens, and the match's five top scores and five
// best bowling figures, each "PRIMARY SECONDARY TEXT" ("152 140 R Khurana 152* (India)").
const std::vector<std::string>& shardColumns();
void addShardValues(std::vector<cli::Cell>& values, const StatisticsMatch& match,
                    const std::string& sides, const PlayerDatabase& database);

} // namespace quorvel
