#pragma once
// A match between two overs, worked out from its ball-by-ball record alone: the record cut
// after that over and the running figures the form would show then. A match in play and an
// opened one give the same positions, so the win chances of both are worked out the same way.

#include <optional>

#include "engine/innings_figures.h"
#include "records/scores.h"

namespace quorvel {

class PlayerDatabase;

struct MatchPosition {
    Scores record;          // the overs bowled up to this moment, nothing after them
    InningsFigures figures; // the innings in play as it stands after the over
};

// The overs of innings 0 or 1 that hold a delivery.
int oversBowled(const Scores& scores, int innings);

// The position after `overs` overs (1 or more) of innings `innings`, or none when the record
// does not hold that many. The striker is the one the last ball's runs and the end of the over
// leave on strike; a batsman who came in but has not faced a ball is not known, and his crease
// slot is left empty for the next innings' rules to fill.
std::optional<MatchPosition> positionAfterOver(const Scores& scores, int innings, int overs,
                                               const PlayerDatabase& database);

} // namespace quorvel
