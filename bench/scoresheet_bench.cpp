// Tallying deliveries into the scoresheet and building the sheet text of a full match.

#include <benchmark/benchmark.h>

#include "records/player_database.h"
#include "reports/scoresheet.h"

using namespace quorvel;

namespace {

// Twenty-two players: ids 0..10 bat in the first innings and bowl in the second.
PlayerDatabase benchDatabase() {
    PlayerFile file;
    for (int id = 0; id < 22; ++id) {
        Player player;
        player.playerId = id;
        player.firstName = "First" + std::to_string(id);
        player.surname = "Surname" + std::to_string(id);
        file.players.push_back(player);
    }
    PlayerDatabase database;
    database.assign(std::move(file));
    return database;
}

// Fifty overs per innings with a mix of runs, extras and nine wickets, recorded as the engine does.
void playMatch(Scores& scores, ScoreSheet& sheet) {
    for (int innings = 0; innings < 2; ++innings) {
        const int batting = innings * 11;
        const int fielding = 11 - batting;
        int striker = batting;
        for (int o = 0; o < kOversPerInnings; ++o) {
            Over& over = scores.innings[innings].overs[o];
            over.reset();
            over.bowlerId = fielding + o % 5;
            for (int slot = 0; slot < kBallsPerOver; ++slot) {
                if ((o + slot) % 17 == 0) {
                    over.balls[slot] = Ball{
                        striker, ExtraKind::Wide, Dismissal::NotOut, RunKind::Taken, 1, fielding};
                    sheet.recordDelivery(innings, over, slot, over.balls[slot]);
                    over.wideRuns += 1;
                }
                const bool wicket = slot == 5 && o % 5 == 4 && striker < batting + 9;
                over.balls[slot] = Ball{striker,
                                        ExtraKind::Legal,
                                        wicket ? Dismissal::Caught : Dismissal::NotOut,
                                        slot == 3 ? RunKind::Boundary : RunKind::Taken,
                                        wicket ? 0 : (slot == 3 ? 4 : slot % 2),
                                        fielding + 1};
                sheet.recordDelivery(innings, over, slot, over.balls[slot]);
                if (wicket)
                    ++striker;
            }
        }
    }
}

} // namespace

static void BM_RecordFullMatch(benchmark::State& state) {
    const PlayerDatabase database = benchDatabase();
    Scores scores;
    ScoreSheet sheet(scores, database);
    for (auto _ : state) {
        sheet.clearTables();
        playMatch(scores, sheet);
        benchmark::DoNotOptimize(sheet.card(1).total);
    }
    state.SetItemsProcessed(state.iterations() * 2 * kOversPerInnings * kBallsPerOver);
}
BENCHMARK(BM_RecordFullMatch);

static void BM_BuildSheetTextOfFullMatch(benchmark::State& state) {
    const PlayerDatabase database = benchDatabase();
    Scores scores;
    scores.teams[0].setName("Left Side");
    scores.teams[1].setName("Right Side");
    ScoreSheet sheet(scores, database);
    sheet.clearTables();
    playMatch(scores, sheet);
    for (auto _ : state) {
        sheet.buildSheetText();
        benchmark::DoNotOptimize(sheet.sheetText().data());
    }
}
BENCHMARK(BM_BuildSheetTextOfFullMatch);
