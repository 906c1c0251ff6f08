#include "predict/match_position.h"

#include "engine/bowler_rows.h"
#include "records/delivery_effect.h"
#include "records/player_database.h"
#include "reports/scoresheet.h"
#include "reports/sheet_replay.h"
#include "screen/opened_match.h"

namespace quorvel {

namespace {

// The first bowler row of the player who bowled `over`, or kNoRow.
int rowOfBowler(const InningsFigures& figures, const Over& over, const PlayerDatabase& database) {
    const Player* bowler = database.findById(over.bowlerId);
    if (bowler == nullptr)
        return kNoRow;
    const std::string name = bowler->displayName();
    for (int row = 0; row < kBowlerRows; ++row)
        if (figures.bowlerNames[row] == name)
            return row;
    return kNoRow;
}

// The crease slot on strike for the next over: the last ball's striker stays on strike when
// his runs crossed the batsmen, since the end of the over crosses them back; otherwise the
// other batsman takes strike. After a wicket on that ball the survivor takes it.
int nextStrikerSlot(const InningsFigures& figures, const Ball& last) {
    const DeliveryEffect effect = deliveryEffect(last);
    int strikerSlot = -1;
    for (int slot = 0; slot < kCreaseSlots; ++slot)
        if (figures.batsmanIds[slot] == last.batsmanId)
            strikerSlot = slot;
    if (effect.wicket != nullptr || strikerSlot < 0)
        return figures.batsmanIds[0] != kNoPlayer ? 0 : 1;
    return effect.swapsStrike ? strikerSlot : 1 - strikerSlot;
}

} // namespace

int oversBowled(const Scores& scores, int innings) {
    int count = 0;
    for (const Over& over : scores.innings[innings == 1 ? 1 : 0].overs)
        if (over.bowled())
            ++count;
    return count;
}

std::optional<MatchPosition> positionAfterOver(const Scores& scores, int innings, int overs,
                                               const PlayerDatabase& database) {
    innings = innings == 1 ? 1 : 0;
    if (overs < 1 || overs > kOversPerInnings || oversBowled(scores, innings) < overs)
        return std::nullopt;
    MatchPosition position{scores, {}};
    Scores& cut = position.record;
    for (int over = overs; over < kOversPerInnings; ++over)
        cut.innings[innings].overs[over] = Over{};
    if (innings == 0)
        cut.innings[1] = Innings{};

    ScoreSheet sheet(cut, database);
    replayIntoSheet(sheet, cut);
    InningsFigures& f = position.figures;
    f = finalFigures(cut, sheet, innings, database);

    const Over& lastOver = cut.innings[innings].overs[overs - 1];
    const Ball* last = nullptr;
    for (const Ball& ball : lastOver.balls)
        if (ball.batsmanId != kNoPlayer)
            last = &ball;
    if (last != nullptr)
        f.strikerSlot = nextStrikerSlot(f, *last);
    f.overNumber = std::min(f.overNumber, overs);
    f.ballIndex = kBallsPerOver;
    f.currentBowlerRow = rowOfBowler(f, lastOver, database);
    f.lastBowlerRow = f.currentBowlerRow;
    f.bowlerBeforeLastRow =
        overs >= 2 ? rowOfBowler(f, cut.innings[innings].overs[overs - 2], database) : kNoRow;
    return position;
}

} // namespace quorvel
