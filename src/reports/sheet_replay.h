#pragma once
// An opened match shown again: its scoresheet cards replayed from the ball-by-ball record.
//
// The record keeps only the delivery that finally filled each slot of an over, plus the over's
// wide and no-ball runs, so what it cannot hold is left out: a wide or no-ball later overwritten
// in its slot counts in the extras, the total and the bowler's figures but not against a
// batsman, and a batsman whose every delivery was such an extra has no row.

#include "records/scores.h"
#include "reports/scoresheet.h"

namespace quorvel {

// Clears the sheet, writes its header and records every delivery of both innings that the
// record holds. Returns the number of overs found bowled.
int replayIntoSheet(ScoreSheet& sheet, const Scores& scores);

// The innings (0 or 1) the record last holds a delivery of; -1 when nothing was bowled.
int lastInningsPlayed(const Scores& scores);

} // namespace quorvel
