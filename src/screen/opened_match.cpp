#include "screen/opened_match.h"

#include <cstdint>
#include <map>

#include "common/text_format.h"
#include "engine/bowler_rows.h"
#include "engine/match_engine.h"
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

char initialOf(const Player* player) { return player ? player->initial() : ' '; }
const char* surnameOf(const Player* player) { return player ? player->surname.c_str() : ""; }
const char* runWord(int runs) { return runs >= 2 ? "runs" : "run"; }

std::string openingOf(const PlayerDatabase& database, const Over& over, int overNumber, int slot,
                      std::int32_t strikerId) {
    const Player* bowler = database.findById(over.bowlerId);
    const Player* striker = database.findById(strikerId);
    return formatText("%0.1lf\t%c %s to %c %s: ", overNumber + 0.1 * (slot + 1), initialOf(bowler),
                      surnameOf(bowler), initialOf(striker), surnameOf(striker));
}

// The outcome of one delivery as the log tells it, its line end included.
std::string outcomeOf(const PlayerDatabase& database, const Over& over, const Ball& ball,
                      int strikerRuns) {
    if (ball.extraKind == ExtraKind::Wide || ball.extraKind == ExtraKind::NoBall)
        return formatText(ball.extraKind == ExtraKind::Wide ? "Wide Ball, %d %s\r\n"
                                                            : "No Ball, %d %s\r\n",
                          ball.runs, runWord(ball.runs));
    if (ball.dismissalKind != Dismissal::NotOut)
        return "OUT! " +
               dismissalLine(ball.dismissalKind, database.findById(ball.batsmanId),
                             database.findById(ball.fielderId), database.findById(over.bowlerId),
                             strikerRuns) +
               "\r\n";
    switch (ball.runKind) {
    case RunKind::Byes:
        return formatText("Bye, %d %s\r\n", ball.runs, runWord(ball.runs));
    case RunKind::LegByes:
        return formatText("Legbye, %d %s\r\n", ball.runs, runWord(ball.runs));
    case RunKind::Boundary:
        return ball.runs == 4 ? "Boundary!\r\n" : "Sixer!\r\n";
    default:
        return formatText("%d %s\r\n", ball.runs, runWord(ball.runs));
    }
}

} // namespace

std::string commentaryOf(const Scores& scores, const PlayerDatabase& database) {
    std::string text;
    std::int64_t target = 0;
    for (const Innings& innings : scores.innings) {
        std::map<std::int32_t, int> runsOf;
        std::int64_t total = 0;
        int wickets = 0;
        for (int number = 0; number < kOversPerInnings; ++number) {
            const Over& over = innings.overs[number];
            if (!over.bowled())
                continue;
            std::int64_t held[3] = {0, 0, 0};
            for (const Ball& ball : over.balls)
                if (ball.batsmanId != kNoPlayer &&
                    (ball.extraKind == ExtraKind::Wide || ball.extraKind == ExtraKind::NoBall))
                    held[static_cast<int>(ball.extraKind)] += ball.runs;
            const std::int32_t firstStriker = over.balls[0].batsmanId;
            for (const ExtraKind kind : {ExtraKind::Wide, ExtraKind::NoBall}) {
                const std::int64_t total =
                    kind == ExtraKind::Wide ? over.wideRuns : over.noBallRuns;
                Ball extra;
                extra.extraKind = kind;
                extra.runs = 1;
                for (std::int64_t run = held[static_cast<int>(kind)]; run < total && run < 1000;
                     ++run)
                    text += openingOf(database, over, number, 0, firstStriker) +
                            outcomeOf(database, over, extra, 0);
            }
            int filled = 0;
            for (int slot = 0; slot < kBallsPerOver; ++slot) {
                const Ball& ball = over.balls[slot];
                if (ball.batsmanId == kNoPlayer)
                    continue;
                ++filled;
                const DeliveryEffect effect = deliveryEffect(ball);
                total += effect.totalRuns;
                wickets += effect.wicket != nullptr ? 1 : 0;
                int& runs = runsOf[ball.batsmanId];
                runs += effect.batsmanRuns;
                text += openingOf(database, over, number, slot, ball.batsmanId) +
                        outcomeOf(database, over, ball, runs);
            }
            total += over.wideRuns - held[static_cast<int>(ExtraKind::Wide)] + over.noBallRuns -
                     held[static_cast<int>(ExtraKind::NoBall)];
            // The over was completed unless the innings ended inside it.
            const bool ended = wickets >= kWicketsPerInnings || (target > 0 && total >= target);
            if (filled == kBallsPerOver && !ended)
                text += "-------------------------------------------------\r\n";
        }
        target = total + 1;
    }
    return text;
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
