// The win predictor's longest case: the rest of a match played 2,000 times from the end of its
// first over, on one thread a core (and on one thread, for comparison). And the chances line of
// a whole match of 100 overs opened with the charts showing: every over's estimate, the latest
// first, as the game's win line makes them.

#include <benchmark/benchmark.h>

#include <chrono>
#include <thread>

#include "engine/random.h"
#include "predict/match_position.h"
#include "predict/win_line.h"
#include "predict/win_predictor.h"
#include "records/player_database.h"
#include "screen/headless_match.h"

using namespace quorvel;

namespace {

// The bundled database and its India and Pakistan elevens, or false (the benchmark skipped).
bool loadBundledSides(benchmark::State& state, PlayerDatabase& database, Scores& sides) {
    if (loadSimDatabase(database, QUORVEL_PLAYERS_DAT) ||
        setUpPredefinedSides(sides, database, "India", "Pakistan")) {
        state.SkipWithError("the bundled database has no playable Indian and Pakistani sides");
        return false;
    }
    return true;
}

void BM_PredictFromFirstOver(benchmark::State& state) {
    PlayerDatabase database;
    Scores scores;
    if (!loadBundledSides(state, database, scores))
        return;
    Random random;
    playHeadlessMatch(scores, database, random, 1, true, true, false);
    const auto position = positionAfterOver(scores, 0, 1, database);
    PredictOptions options;
    options.threads = static_cast<int>(state.range(0));
    for (auto _ : state) {
        const auto estimate = predictWin(*position, SliderPositions{}, database, options);
        benchmark::DoNotOptimize(estimate);
    }
    state.SetLabel(std::to_string(options.remainders) + " remainders, " +
                   (options.threads == 0 ? std::string("a thread a core")
                                         : std::to_string(options.threads) + " thread"));
}
BENCHMARK(BM_PredictFromFirstOver)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ChancesLineOfWholeMatch(benchmark::State& state) {
    PlayerDatabase database;
    Scores sides;
    if (!loadBundledSides(state, database, sides))
        return;
    // The first seeded match whose two innings both last their 50 overs.
    Scores record;
    std::uint32_t seed = 1;
    for (; seed < 5000; ++seed) {
        record = sides;
        Random random;
        playHeadlessMatch(record, database, random, seed, true, true, false);
        if (oversBowled(record, 0) == kOversPerInnings &&
            oversBowled(record, 1) == kOversPerInnings)
            break;
    }
    if (seed == 5000) {
        state.SkipWithError("no seed gave a match of 100 overs");
        return;
    }
    for (auto _ : state) {
        // A fresh line, as for a match just opened: nothing estimated yet.
        WinLine line(database);
        line.update(record, SliderPositions{}, nullptr);
        while (line.busy())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        benchmark::DoNotOptimize(line.points());
    }
    state.SetLabel("seed " + std::to_string(seed) + ", 100 estimates of " +
                   std::to_string(kDefaultRemainders) + " remainders, a thread a core");
}
BENCHMARK(BM_ChancesLineOfWholeMatch)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

} // namespace
