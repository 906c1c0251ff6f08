#include "screen/opened_match.h"

#include "engine/bowler_rows.h"
#include "records/player_database.h"

namespace quorvel {

namespace {

std::string displayNameOf(const PlayerDatabase& database, std::int32_t id) {
    const Player* player = database.findById(id);
    if (player == nullptr)
        return {};
    return player->displayName();
}

} // namespace

InningsFigures finalFigures(const Scores& scores, const ScoreSheet& sheet, int innings,
                            const PlayerDatabase& database) {
    InningsFigures f;
    innings = innings == 1 ? 1 : 0;
    f.inningsIndex = innings;
    f.battingTeamName = scores.teams[scores.battingSide(innings)].name();
    f.bowlingTeamName = scores.teams[scores.fieldingSide(innings)].name();

    const InningsCard& card = sheet.card(innings);
    f.totalRuns = card.total;
    f.totalWickets = card.wicketsDown;
    f.oversFigure = card.oversDone;
    f.overNumber = static_cast<int>(card.oversDone);
    if (innings == 1) {
        f.target = sheet.card(0).total + 1;
        f.targetRate = f.target * kTargetRateFactor;
        f.progressRange = f.target;
    }

    // The batsmen still in: the not-out rows, in the order they came in.
    int slot = 0;
    for (const BattingEntry& entry : card.batting) {
        if (entry.playerId == kNoPlayer || entry.howOut != Dismissal::NotOut || slot == kCreaseSlots)
            continue;
        f.batsmanIds[slot] = entry.playerId;
        f.batsmanNames[slot] = displayNameOf(database, entry.playerId);
        f.batsmanRuns[slot] = entry.runs;
        f.batsmanBalls[slot] = entry.ballsFaced;
        ++slot;
    }
    updateRates(f);

    // The bowler rows as the innings listed them; a bowler's figures stand on his first row.
    fillBowlerRows(f, scores.teams[scores.fieldingSide(innings)], database);
    std::array<bool, 10> used{};
    for (int row = 0; row < kBowlerRows; ++row) {
        const Player* player = database.findByDisplayName(f.bowlerNames[row]);
        if (player == nullptr)
            continue;
        for (std::size_t i = 0; i < card.bowling.size(); ++i) {
            const BowlingEntry& entry = card.bowling[i];
            if (used[i] || entry.playerId != player->playerId)
                continue;
            used[i] = true;
            f.bowlerOvers[row] = entry.oversDone;
            f.bowlerMaidens[row] = entry.maidenOvers;
            f.bowlerRuns[row] = entry.runsGiven;
            f.bowlerWickets[row] = entry.wicketsTaken;
            break;
        }
    }
    return f;
}

} // namespace quorvel
