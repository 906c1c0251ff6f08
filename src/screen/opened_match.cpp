#include "screen/opened_match.h"

#include <cstdint>

#include "engine/bowler_rows.h"
#include "records/delivery_effect.h"
#include "records/player_database.h"

namespace quorvel {

namespace {

std::string displayNameOf(const PlayerDatabase& database, std::int32_t id) {
    const Player* player = database.findById(id);
    if (player == nullptr)
        return {};
    return player->displayName();
}

// The last over bowled in an innings, or nullptr.
const Over* lastOverBowled(const Innings& innings) {
    const Over* last = nullptr;
    for (const Over& over : innings.overs)
        if (over.bowled())
            last = &over;
    return last;
}

// The figures as the live screen ended them, where the card's differ. An innings that ended
// inside an over (its tenth wicket, or the target reached) never completed that over live: the
// overs stood at the balls bowled (46.6, not 47) and no maiden was credited, where the card rounds
// the over up once its sixth slot is filled. A chase that ran its fifty overs kept the required
// rate last worked out before the over was rounded up. Figures are rebuilt as the live screen
// built them, adding 0.1 a legal ball.
void putBackLiveEnd(InningsFigures& f, const Over& last, const BowlingEntry* bowler,
                    int bowlerRow) {
    auto liveFigure = [&last](double roundedUp) {
        double figure = roundedUp - 1;
        for (const Ball& ball : last.balls)
            if (ball.batsmanId != kNoPlayer && deliveryEffect(ball).legal())
                figure += 0.1;
        return figure;
    };
    const bool chase = f.inningsIndex == 1;
    if (chase && f.oversFigure == kOversPerInnings && f.totalRuns < f.target)
        f.requiredRate = (static_cast<double>(f.target) - f.totalRuns) /
                         (kOversPerInnings - liveFigure(f.oversFigure));
    const bool endedInside =
        f.totalWickets >= kWicketsPerInnings || (chase && f.totalRuns >= f.target);
    if (last.balls[kBallsPerOver - 1].batsmanId == kNoPlayer || !endedInside)
        return;
    f.oversFigure = liveFigure(f.oversFigure);
    f.overNumber = static_cast<int>(f.oversFigure);
    if (bowler == nullptr || bowlerRow < 0)
        return;
    f.bowlerOvers[bowlerRow] = liveFigure(bowler->oversDone);
    if (isMaiden(last) && f.bowlerMaidens[bowlerRow] > 0)
        --f.bowlerMaidens[bowlerRow];
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
        const std::int32_t firstTotal = sheet.card(0).total;
        f.target = firstTotal < INT32_MAX ? firstTotal + 1 : INT32_MAX;
        f.targetRate = f.target * kTargetRateFactor;
        f.progressRange = f.target;
    }

    // The batsmen still in: the not-out rows, in the order they came in.
    int slot = 0;
    for (const BattingEntry& entry : card.batting) {
        if (entry.playerId == kNoPlayer || entry.howOut != Dismissal::NotOut ||
            slot == kCreaseSlots)
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
    const Over* last = lastOverBowled(scores.innings[innings]);
    const BowlingEntry* lastBowler = nullptr;
    int lastBowlerRow = -1;
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
            if (last != nullptr && entry.playerId == last->bowlerId) {
                lastBowler = &entry;
                lastBowlerRow = row;
            }
            break;
        }
    }
    if (last != nullptr) {
        putBackLiveEnd(f, *last, lastBowler, lastBowlerRow);
        updateRates(f);
    }
    return f;
}

} // namespace quorvel
