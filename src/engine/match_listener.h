#pragma once
// Whoever follows a match as the engine plays it: the scorecard tallies, the commentary log, a
// chart. The engine publishes each delivery and each piece of commentary here and knows
// nothing of who listens.

#include <string_view>

#include "records/innings.h"

namespace quorvel {

class MatchListener {
public:
    virtual ~MatchListener() = default;
    // A delivery was written into slot `slot` (0..5) of `over` in innings 0 or 1.
    virtual void deliveryBowled(int innings, const Over& over, int slot, const Ball& ball) = 0;
    // A piece of commentary that carries its own CR LF line ends.
    virtual void commentary(std::string_view text) = 0;
    // Innings 0 or 1 is being set up, before its first delivery.
    virtual void inningsStarted(int innings) { (void)innings; }
    // False when nobody watches the match as it is played (a match played only for its result
    // and scorecard): the engine then builds no commentary or dismissal messages and leaves the
    // running rates until the innings ends. The draws, totals and cards are the same.
    virtual bool wantsText() const { return true; }
};

} // namespace quorvel
