// The win predictor's longest case: the rest of a match played 2,000 times from the end of its
// first over, on one thread a core (and on one thread, for comparison).

#include <benchmark/benchmark.h>

#include "engine/random.h"
#include "predict/win_predictor.h"
#include "records/player_database.h"
#include "screen/headless_match.h"

using namespace quorvel;

namespace {

void BM_PredictFromFirstOver(benchmark::State& state) {
    PlayerDatabase database;
    Scores scores;
    if (loadSimDatabase(database, QUORVEL_PLAYERS_DAT) ||
        setUpPredefinedSides(scores, database, "India", "Pakistan")) {
        state.SkipWithError("the bundled database has no playable Indian and Pakistani sides");
        return;
    }
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

} // namespace
