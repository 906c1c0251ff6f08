#include "reports/sheet_replay.h"

#include <algorithm>
#include <cstdint>

namespace quorvel {

namespace {

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
