#include "records/delivery_effect.h"

#include <algorithm>
#include <limits>

namespace quorvel {

namespace {

std::int32_t heldInInt32(std::int64_t total) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        total, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

} // namespace

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
