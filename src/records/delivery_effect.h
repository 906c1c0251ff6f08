#pragma once
// What one delivery does to the figures of its innings: the runs it adds and to whom they are
// charged, whether it is a ball of the over, and the wicket it takes. The running figures, the
// scorecard, an opened match's replay, the charts and the statistics all read a delivery
// through this one rule, and an over's runs are summed from it.

#include <algorithm>
#include <cstdint>
#include <limits>

#include "records/innings.h"

namespace quorvel {

struct DeliveryEffect {
    enum class Kind {
        Charged, // a wide or a no-ball: its runs are charged to the bowler, it is bowled again
        Legal,   // a ball of the over, faced by the striker
        Void,    // a slot whose values name no delivery (a damaged file): it counts nothing
    };
    Kind kind = Kind::Void;
    std::int32_t totalRuns = 0;   // to the innings' total
    std::int32_t batsmanRuns = 0; // to the striker
    std::int32_t bowlerRuns = 0;  // conceded by the bowler
    std::int32_t wides = 0;
    std::int32_t noBalls = 0;
    std::int32_t byes = 0;
    std::int32_t legByes = 0;
    bool four = false;
    bool six = false;
    // The striker's dismissal; nullptr when he is not out. A wicket carries no runs.
    const DismissalInfo* wicket = nullptr;
    // The batsmen crossed an odd number of times.
    bool swapsStrike = false;

    bool legal() const { return kind == Kind::Legal; }
};

// Always inline: every delivery of every tally passes through it, several times an over, and a
// caller that reads one field (an over's runs) then costs no more than that field.
[[gnu::always_inline]] inline DeliveryEffect deliveryEffect(const Ball& ball) {
    DeliveryEffect effect;
    const std::int32_t runs = ball.runs;
    if (ball.extraKind != ExtraKind::Legal) {
        const ExtraInfo* extra = extraInfo(ball.extraKind);
        if (extra == nullptr || extra->ballOfTheOver)
            return effect;
        effect.kind = DeliveryEffect::Kind::Charged;
        effect.totalRuns = runs;
        effect.bowlerRuns = runs;
        (ball.extraKind == ExtraKind::Wide ? effect.wides : effect.noBalls) = runs;
        return effect;
    }
    const DismissalInfo* dismissal = dismissalInfo(ball.dismissalKind);
    if (dismissal == nullptr)
        return effect;

    effect.kind = DeliveryEffect::Kind::Legal;
    if (dismissal->out) {
        effect.wicket = dismissal;
        return effect;
    }
    effect.totalRuns = runs;
    effect.swapsStrike = runs % 2 != 0;
    const RunInfo* how = runInfo(ball.runKind);
    if (how == nullptr)
        return effect; // an unknown kind of run still counts in the total
    effect.batsmanRuns = how->creditsBatsman ? runs : 0;
    effect.bowlerRuns = how->chargedToBowler ? runs : 0;
    switch (how->kind) {
    case RunKind::Boundary:
        (runs == 4 ? effect.four : effect.six) = true;
        break;
    case RunKind::Byes:
        effect.byes = runs;
        break;
    case RunKind::LegByes:
        effect.legByes = runs;
        break;
    case RunKind::Taken:
        break;
    }
    return effect;
}

// A delivery in slot 0..5 of its over ends the over when it fills the sixth slot and is not a
// wide or a no-ball.
inline bool endsOver(int slot, const DeliveryEffect& effect) {
    return slot == kBallsPerOver - 1 && effect.kind != DeliveryEffect::Kind::Charged;
}

// Every run of the over, held within int32: its wides and no-balls (those in their slots and
// those bowled again) and what each ball of the over added, byes and leg byes included.
inline std::int32_t overRuns(const Over& over) {
    // Summed wide, so absurd stored runs cannot overflow; a sum is held at a limit only when it
    // is far from zero, so "no run at all" stays exact. The wides and no-balls still in a slot
    // are part of the over's wide and no-ball runs.
    std::int64_t total = static_cast<std::int64_t>(over.noBallRuns) + over.wideRuns;
    for (const Ball& ball : over.balls) {
        const DeliveryEffect effect = deliveryEffect(ball);
        if (effect.legal())
            total += effect.totalRuns;
    }
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        total, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// An over that gave away no run of any kind, extras included.
inline bool isMaiden(const Over& over) { return overRuns(over) == 0; }

// The runs of the over's wides and of its no-balls that no slot holds any more: each was bowled
// again and the next delivery took its slot, so they survive only in the over's wide and
// no-ball runs. Never below 0, held within int32.
struct ExtrasBowledAgain {
    std::int32_t wides = 0;
    std::int32_t noBalls = 0;
};
ExtrasBowledAgain extrasBowledAgain(const Over& over);

} // namespace quorvel
