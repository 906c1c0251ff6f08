#pragma once
// Many headless matches for statistics: match i seeded with the first seed plus i, played on
// several threads a block of matches at a time and handed over in seed order, so that the
// figures are the same for every number of threads and a run of a million matches needs no
// more memory than one of a thousand. While one block is handed over the next is played.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "records/scores.h"
#include "reports/scoresheet.h"

namespace quorvel {

class PlayerDatabase;

struct StatisticsPlan {
    std::vector<Scores> sides; // the pairs of sides, set up; match i plays pair i mod their count
    std::uint32_t firstSeed = 0;
    int matches = 1;
    bool callHeads = true;
    bool electBat = true;
    int threads = 1;
    int blockSize = 1024; // matches played at a time; at most two blocks are held
};

// One match of a statistics run, reduced to what its row and the aggregates need.
struct StatisticsMatch {
    int number = 0;         // 0 for the first match of the run
    std::uint32_t seed = 0; // the first seed plus the number
    const Scores* sides = nullptr;
    std::array<InningsCard, 2> cards{};
    int firstBatting = 0; // index into the sides: 0 the left, 1 the right
    int tossWinner = 0;
    bool finished = true;
    std::string text; // for a match that could not be finished: its scoresheet and innings lines
};

// Plays the plan and hands each match to `take` in seed order, on the calling thread; stops
// after a match `take` returns false for, without handing over any later match. `blockDone` (may
// be empty) hears how many matches were handed over after each block.
void playStatistics(const StatisticsPlan& plan, const PlayerDatabase& database,
                    const std::function<bool(const StatisticsMatch&)>& take,
                    const std::function<void(int done)>& blockDone = {});

} // namespace quorvel
