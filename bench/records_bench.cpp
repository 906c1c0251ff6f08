// Loading and searching the player database.

#include <benchmark/benchmark.h>

#include "records/file_io.h"
#include "records/player_database.h"

using namespace quorvel;

static void BM_LoadBundledDatabase(benchmark::State& state) {
    for (auto _ : state) {
        PlayerDatabase database;
        benchmark::DoNotOptimize(loadPlayerFile(QUORVEL_PLAYERS_DAT, database));
    }
}
BENCHMARK(BM_LoadBundledDatabase);

static void BM_FindByDisplayName(benchmark::State& state) {
    PlayerDatabase database;
    loadPlayerFile(QUORVEL_PLAYERS_DAT, database);
    const std::string key = database.players().empty() ? "" : database.players().back().displayName();
    for (auto _ : state)
        benchmark::DoNotOptimize(database.findByDisplayName(key));
}
BENCHMARK(BM_FindByDisplayName);
