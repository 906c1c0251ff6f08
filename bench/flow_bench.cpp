// Whole matches per second: the headless match of the bundled database's predefined Indian and
// Pakistani elevens, toss to result, with the scoresheet text and without any text (as a
// statistics run plays it); and the check behind each ">" button of the bowler rows.

#include <benchmark/benchmark.h>

#include "engine/bowler_rows.h"
#include "engine/random.h"
#include "records/file_io.h"
#include "records/player_database.h"
#include "records/scores.h"
#include "screen/headless_match.h"

using namespace quorvel;

namespace {

const PlayerDatabase& benchDatabase() {
    static const PlayerDatabase database = [] {
        PlayerDatabase loaded;
        std::string bytes;
        if (!readWholeFile(QUORVEL_PLAYERS_DAT, bytes))
            loaded.assign(decodePlayerFile(bytes));
        return loaded;
    }();
    return database;
}

// The predefined Indian and Pakistani elevens; false, with the benchmark skipped, without them.
bool benchSides(benchmark::State& state, Scores& sides) {
    if (!setUpPredefinedSides(sides, benchDatabase(), "India", "Pakistan"))
        return true;
    state.SkipWithError("the bundled database has no playable Indian and Pakistani sides");
    return false;
}

void BM_WholeMatch(benchmark::State& state) {
    const PlayerDatabase& database = benchDatabase();
    Scores sides;
    if (!benchSides(state, sides))
        return;
    std::uint32_t seed = 1;
    std::size_t bytes = 0;
    for (auto _ : state) {
        Scores scores = sides;
        Random random;
        const PlayedMatch result = playHeadlessMatch(scores, database, random, seed++, true, true);
        bytes += result.text.size() + result.log.size();
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel("items = whole matches");
}
BENCHMARK(BM_WholeMatch)->Unit(benchmark::kMicrosecond);

void BM_StatsMatch(benchmark::State& state) {
    const PlayerDatabase& database = benchDatabase();
    Scores sides;
    if (!benchSides(state, sides))
        return;
    std::uint32_t seed = 1;
    int runs = 0;
    for (auto _ : state) {
        Scores scores = sides;
        Random random;
        const PlayedMatch result =
            playHeadlessMatch(scores, database, random, seed++, true, true, false);
        runs += result.cards[0].total;
        benchmark::DoNotOptimize(runs);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_StatsMatch)->Unit(benchmark::kMicrosecond);

void BM_ChoosableBowlerRows(benchmark::State& state) {
    InningsFigures figures;
    for (int row = 0; row < kBowlerRows; ++row) {
        figures.bowlerNames[row] = "Bowler" + std::to_string(row % 7) + ", Al";
        figures.bowlerOvers[row] = row % 4;
    }
    numberBowlerRows(figures);
    figures.overNumber = 30;
    figures.lastBowlerRow = 2;
    for (auto _ : state) {
        const auto rows = BowlerChoiceState::beforeNextOver(figures).choosableRows();
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(BM_ChoosableBowlerRows);

} // namespace
