// Loading and searching the player database: the bundled file, and a generated one of
// 100,000 players compared with just reading its bytes into memory, both again and again in one
// process and for the first time in a fresh one.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>

#include "records/file_io.h"
#include "records/player_database.h"

using namespace quorvel;

namespace {

constexpr int kLargeCount = 100000;

// A database of invented players with names of typical length, written once per run.
const std::string& largeDatabasePath() {
    static const std::string path = [] {
        PlayerFile file;
        file.players.reserve(kLargeCount);
        for (int i = 0; i < kLargeCount; ++i) {
            Player player;
            player.playerId = i;
            player.surname = "Surname" + std::to_string(i * 7919 % 1000003);
            player.firstName = "First" + std::to_string(i);
            player.country = 1 << (i % 9);
            player.highestScore = "101*";
            player.bestBowling = "4/31";
            player.battingAverage = 20 + i % 30;
            file.players.push_back(std::move(player));
        }
        const std::string target = "/tmp/quorvel-bench-" + std::to_string(::getpid()) + ".dat";
        writeWholeFile(target, encodePlayerFile(file));
        return target;
    }();
    // The 14 MB file goes when the run ends.
    static const struct Remover {
        ~Remover() { ::unlink(path.c_str()); }
    } remover;
    return path;
}

const PlayerDatabase& largeDatabase() {
    static const PlayerDatabase database = [] {
        PlayerDatabase loaded;
        loadPlayerFile(largeDatabasePath(), loaded);
        return loaded;
    }();
    return database;
}

} // namespace

static void BM_LoadBundledDatabase(benchmark::State& state) {
    for (auto _ : state) {
        PlayerDatabase database;
        benchmark::DoNotOptimize(loadPlayerFile(QUORVEL_PLAYERS_DAT, database));
    }
}
BENCHMARK(BM_LoadBundledDatabase)->Unit(benchmark::kMicrosecond);

static void BM_ReadLargeDatabaseBytes(benchmark::State& state) {
    const std::string& path = largeDatabasePath();
    for (auto _ : state) {
        std::string bytes;
        benchmark::DoNotOptimize(readWholeFile(path, bytes));
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_ReadLargeDatabaseBytes)->Unit(benchmark::kMillisecond);

static void BM_LoadLargeDatabase(benchmark::State& state) {
    const std::string& path = largeDatabasePath();
    for (auto _ : state) {
        PlayerDatabase database;
        benchmark::DoNotOptimize(loadPlayerFile(path, database));
    }
}
BENCHMARK(BM_LoadLargeDatabase)->Unit(benchmark::kMillisecond);

// The same read and load as the game's first one: each sample is a fresh process whose memory
// is untouched, so the page faults of the new buffers are counted as they are at start-up.
void firstTime(benchmark::State& state, const char* what) {
    const std::string command =
        std::string("'") + QUORVEL_FIRST_LOAD + "' " + what + " '" + largeDatabasePath() + "'";
    for (auto _ : state) {
        FILE* pipe = ::popen(command.c_str(), "r");
        long long nanoseconds = -1;
        if (pipe == nullptr || std::fscanf(pipe, "%lld", &nanoseconds) != 1 ||
            ::pclose(pipe) != 0 || nanoseconds < 0) {
            state.SkipWithError("quorvel-first-load failed");
            return;
        }
        state.SetIterationTime(static_cast<double>(nanoseconds) * 1e-9);
    }
}

static void BM_FirstReadLargeDatabaseBytes(benchmark::State& state) { firstTime(state, "read"); }
BENCHMARK(BM_FirstReadLargeDatabaseBytes)->UseManualTime()->Unit(benchmark::kMillisecond);

static void BM_FirstLoadLargeDatabase(benchmark::State& state) { firstTime(state, "load"); }
BENCHMARK(BM_FirstLoadLargeDatabase)->UseManualTime()->Unit(benchmark::kMillisecond);

static void BM_FindByDisplayNameLarge(benchmark::State& state) {
    const PlayerDatabase& database = largeDatabase();
    const std::string key = database.players()[kLargeCount / 2].displayName();
    for (auto _ : state)
        benchmark::DoNotOptimize(database.findByDisplayName(key));
}
BENCHMARK(BM_FindByDisplayNameLarge);

static void BM_FindByIdLarge(benchmark::State& state) {
    const PlayerDatabase& database = largeDatabase();
    std::int32_t id = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(database.findById(id));
        id = (id + 7919) % kLargeCount;
    }
}
BENCHMARK(BM_FindByIdLarge);

static void BM_DecodeLargeDatabase(benchmark::State& state) {
    std::string bytes;
    readWholeFile(largeDatabasePath(), bytes);
    for (auto _ : state)
        benchmark::DoNotOptimize(decodePlayerFile(bytes));
}
BENCHMARK(BM_DecodeLargeDatabase)->Unit(benchmark::kMillisecond);
