#include "records/innings.h"

#include <algorithm>
#include <limits>

namespace quorvel {

std::int32_t Over::overRuns() const {
    // Summed wide and held within int32, so absurd stored runs cannot overflow; a sum is held
    // at a limit only when it is far from zero, so "no run at all" stays exact.
    std::int64_t total = static_cast<std::int64_t>(noBallRuns) + wideRuns;
    for (const auto& ball : balls)
        total += ball.runs;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        total, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

} // namespace quorvel
