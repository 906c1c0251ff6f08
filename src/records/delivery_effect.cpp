#include "records/delivery_effect.h"

#include <algorithm>
#include <limits>

namespace quorvel {

DeliveryEffect deliveryEffect(const Ball& ball) {
    DeliveryEffect effect;
    const std::int32_t runs = ball.runs;
    const ExtraInfo* extra = extraInfo(ball.extraKind);
    const DismissalInfo* dismissal = dismissalInfo(ball.dismissalKind);
    if (extra == nullptr)
        return effect;
    if (!extra->ballOfTheOver) {
        effect.kind = DeliveryEffect::Kind::Charged;
        effect.totalRuns = runs;
        effect.bowlerRuns = runs;
        (ball.extraKind == ExtraKind::Wide ? effect.wides : effect.noBalls) = runs;
        return effect;
    }
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

namespace {

std::int32_t heldInInt32(std::int64_t total) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        total, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

} // namespace

std::int32_t overRuns(const Over& over) {
    // Summed wide, so absurd stored runs cannot overflow; a sum is held at a limit only when it
    // is far from zero, so "no run at all" stays exact. The wides and no-balls still in a slot
    // are part of the over's wide and no-ball runs.
    std::int64_t total = static_cast<std::int64_t>(over.noBallRuns) + over.wideRuns;
    for (const Ball& ball : over.balls) {
        const DeliveryEffect effect = deliveryEffect(ball);
        if (effect.legal())
            total += effect.totalRuns;
    }
    return heldInInt32(total);
}

bool isMaiden(const Over& over) { return overRuns(over) == 0; }

ExtrasBowledAgain extrasBowledAgain(const Over& over) {
    std::int64_t wides = 0;
    std::int64_t noBalls = 0;
    for (const Ball& ball : over.balls)
        if (ball.batsmanId != kNoPlayer) {
            const DeliveryEffect effect = deliveryEffect(ball);
            wides += effect.wides;
            noBalls += effect.noBalls;
        }
    const auto rest = [](std::int64_t total, std::int64_t held) {
        return heldInInt32(std::max<std::int64_t>(total - held, 0));
    };
    return {rest(over.wideRuns, wides), rest(over.noBallRuns, noBalls)};
}

} // namespace quorvel
