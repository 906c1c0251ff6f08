#include "records/delivery_effect.h"

namespace quorvel {

DeliveryEffect deliveryEffect(const Ball& ball) {
    DeliveryEffect effect;
    const std::int32_t runs = ball.runs;
    if (ball.extraKind == kWide || ball.extraKind == kNoBall) {
        effect.kind = DeliveryEffect::Kind::Charged;
        effect.totalRuns = runs;
        effect.bowlerRuns = runs;
        (ball.extraKind == kWide ? effect.wides : effect.noBalls) = runs;
        return effect;
    }
    const DismissalInfo* dismissal = dismissalInfo(ball.dismissalKind);
    if (ball.extraKind != kLegalBall || dismissal == nullptr)
        return effect;

    effect.kind = DeliveryEffect::Kind::Legal;
    if (dismissal->out) {
        effect.wicket = dismissal;
        return effect;
    }
    effect.totalRuns = runs;
    effect.swapsStrike = runs % 2 != 0;
    switch (ball.runKind) {
    case kRunsTaken:
        effect.batsmanRuns = runs;
        effect.bowlerRuns = runs;
        break;
    case kBoundary:
        effect.batsmanRuns = runs;
        effect.bowlerRuns = runs;
        (runs == 4 ? effect.four : effect.six) = true;
        break;
    case kByes:
        effect.byes = runs;
        break;
    case kLegByes:
        effect.legByes = runs;
        break;
    default:
        // An unknown kind of run still counts in the total.
        break;
    }
    return effect;
}

bool isMaiden(const Over& over) { return over.overRuns() == 0; }

} // namespace quorvel
