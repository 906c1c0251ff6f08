#pragma once
// An opened match shown again: its scoresheet cards replayed from the ball-by-ball record, and
// the running figures as they stood at the end of its last innings.
//
// The record keeps only the delivery that finally filled each slot of an over, plus the over's
// wide and no-ball runs, so what it cannot hold is left out: a wide or no-ball later overwritten
// in its slot counts in the extras, the total and the bowler's figures but not against a
// batsman, and a batsman whose every delivery was such an extra has no row.

#include "engine/innings_figures.h"
#include "records/scores.h"
#include "reports/scoresheet.h"

namespace quorvel {

class PlayerDatabase;

// Clears the sheet, writes its header and records every delivery of both innings that the
// record holds. Returns the number of overs found bowled.
int replayIntoSheet(ScoreSheet& sheet, const Scores& scores);

// The innings (0 or 1) the record last holds a delivery of; -1 when nothing was bowled.
int lastInningsPlayed(const Scores& scores);

// The running figures at the end of innings `innings`, from the replayed sheet: side names,
// totals, overs and rates, the chase (second innings), the not-out batsmen and the bowler rows.
InningsFigures finalFigures(const Scores& scores, const ScoreSheet& sheet, int innings,
                            const PlayerDatabase& database);

} // namespace quorvel
