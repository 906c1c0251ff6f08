// Deliveries per second: playDelivery with its scoresheet tallies and commentary, over innings
// of the bundled database's predefined Australian and English elevens.

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "engine/match_engine.h"
#include "records/file_io.h"
#include "records/player_database.h"
#include "records/scores.h"
#include "reports/match_log.h"
#include "reports/scoresheet.h"
#include "screen/report_listener.h"
#include "support/fake_host.h"

using namespace quorvel;

namespace {

std::vector<int> predefinedEleven(const PlayerDatabase& database, int country) {
    std::vector<int> ids;
    for (const Player& player : database.players())
        if (player.country == country && player.isPredefined() && ids.size() < kTeamSize)
            ids.push_back(player.playerId);
    return ids;
}

} // namespace

static void BM_PlayDelivery(benchmark::State& state) {
    PlayerDatabase database;
    if (loadPlayerFile(QUORVEL_PLAYERS_DAT, database) != LoadOutcome::Loaded) {
        state.SkipWithError("players.dat did not load");
        return;
    }
    Scores scores;
    scores.reset(0);
    const std::vector<int> sides[2] = {predefinedEleven(database, 1),
                                       predefinedEleven(database, 2)};
    for (int side = 0; side < 2; ++side)
        for (int place = 0; place < static_cast<int>(sides[side].size()); ++place)
            scores.teams[side].setPlayer(place, sides[side][place], database);

    InningsFigures figures;
    ScoreSheet sheet(scores, database);
    MatchLog log;
    ReportListener report{sheet, log};
    test::FakeHost host(database);
    host.followBattingOrder(scores, figures);
    host.recording = false;
    Random random;
    random.seed(20261208);
    MatchEngine engine(scores, database, figures, report, host, random);

    int bowlers = 0;
    auto startInnings = [&](int inningsIndex) {
        figures = InningsFigures{};
        figures.inningsIndex = inningsIndex;
        figures.target = 250;
        scores.innings[inningsIndex].reset();
        if (inningsIndex == 0)
            sheet.clearTables();
        log.clear();
        bowlers = 0;
        const Team& fielding = engine.fieldingTeam();
        for (int place = 0; place < kTeamSize && bowlers < kBowlerRows; ++place)
            if (const Player* player = database.findById(fielding.playerAt(place));
                player && player->isBowler())
                figures.bowlerNames[bowlers++] = player->displayName();
        host.batted.clear();
        engine.bringInBatsman(0);
        engine.bringInBatsman(1);
    };
    auto startOver = [&] {
        figures.ballIndex = 0;
        figures.currentBowlerRow = figures.overNumber % bowlers;
        const Player* bowler =
            database.findByDisplayName(figures.bowlerNames[figures.currentBowlerRow]);
        scores.innings[figures.inningsIndex].overs[figures.overNumber].bowlerId = bowler->playerId;
    };
    int inningsIndex = 0;
    startInnings(inningsIndex);
    startOver();

    for (auto _ : state) {
        const DeliveryEnd end = engine.playDelivery();
        if (end != DeliveryEnd::TenthWicket && ++figures.ballIndex < kBallsPerOver)
            continue;
        if (end != DeliveryEnd::TenthWicket) {
            figures.oversFigure = std::ceil(figures.oversFigure);
            figures.bowlerOvers[figures.currentBowlerRow] =
                std::ceil(figures.bowlerOvers[figures.currentBowlerRow]);
            engine.swapStrike();
            engine.updateRates();
        }
        if (end == DeliveryEnd::TenthWicket || ++figures.overNumber == kOversPerInnings) {
            inningsIndex = 1 - inningsIndex;
            startInnings(inningsIndex);
        }
        startOver();
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["deliveries/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PlayDelivery);
