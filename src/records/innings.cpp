#include "records/innings.h"

namespace quorvel {

std::int32_t Over::overRuns() const {
    std::int32_t total = noBallRuns + wideRuns;
    for (const auto& ball : balls)
        total += ball.runs;
    return total;
}

} // namespace quorvel
