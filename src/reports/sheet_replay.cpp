#include "reports/sheet_replay.h"

#include <algorithm>
#include <cstdint>

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

// The runs of the over's wides (or no-balls) that no slot holds any more, summed wide and held
// within int, so that absurd runs in an opened file cannot overflow.
int overwrittenExtraRuns(const Over& over, int kind) {
    std::int64_t held = 0;
    for (const Ball& ball : over.balls)
        if (ball.batsmanId != kNoPlayer && ball.extraKind == kind)
            held += ball.runs;
    const std::int64_t total = kind == kWide ? over.wideRuns : over.noBallRuns;
    return static_cast<int>(std::clamp<std::int64_t>(total - held, 0, INT32_MAX));
}

} // namespace

int replayIntoSheet(ScoreSheet& sheet, const Scores& scores) {
    sheet.clearTables();
    sheet.writeHeader();
    int overs = 0;
    for (int innings = 0; innings < 2; ++innings) {
        for (const Over& over : scores.innings[innings].overs) {
            if (!over.bowled())
                continue;
            ++overs;
            // The extras whose slots were taken again: no batsman, not the over's end.
            for (const int kind : {kWide, kNoBall}) {
                const int runs = overwrittenExtraRuns(over, kind);
                if (runs > 0) {
                    Ball extra;
                    extra.extraKind = kind;
                    extra.runs = runs;
                    // A wide or no-ball is only charged: it never ends the over.
                    sheet.recordDelivery(innings, over, extra);
                }
            }
            for (const Ball& ball : over.balls)
                if (ball.batsmanId != kNoPlayer)
                    sheet.recordDelivery(innings, over, ball);
        }
    }
    return overs;
}

int lastInningsPlayed(const Scores& scores) {
    for (int innings = 1; innings >= 0; --innings)
        for (const Over& over : scores.innings[innings].overs)
            if (over.bowled())
                return innings;
    return -1;
}

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
        const std::int32_t firstTotal = sheet.card(0).total;
        f.target = firstTotal < INT32_MAX ? firstTotal + 1 : INT32_MAX;
        f.targetRate = f.target * kTargetRateFactor;
        f.progressRange = f.target;
    }

    // The batsmen still in: the not-out rows, in the order they came in.
    int slot = 0;
    for (const BattingEntry& entry : card.batting) {
        if (entry.playerId == kNoPlayer || entry.howOut != kNotOut || slot == kCreaseSlots)
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
