#include "reports/sheet_replay.h"

#include "records/delivery_effect.h"

namespace quorvel {

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
            const ExtrasBowledAgain again = extrasBowledAgain(over);
            for (const auto& [kind, runs] : {std::pair{ExtraKind::Wide, again.wides},
                                             std::pair{ExtraKind::NoBall, again.noBalls}}) {
                if (runs > 0) {
                    Ball extra;
                    extra.extraKind = kind;
                    extra.runs = runs;
                    // A wide or no-ball is only charged: it never ends the over.
                    sheet.recordDelivery(innings, over, 0, extra);
                }
            }
            for (int slot = 0; slot < kBallsPerOver; ++slot) {
                const Ball& ball = over.balls[slot];
                if (ball.batsmanId != kNoPlayer)
                    sheet.recordDelivery(innings, over, slot, ball);
            }
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

} // namespace quorvel
