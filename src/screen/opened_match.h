#pragma once
// An opened match on the form: the running figures as they stood at the end of its last
// innings, worked out from its replayed scoresheet.

#include "engine/innings_figures.h"
#include "records/scores.h"
#include "reports/scoresheet.h"

namespace quorvel {

class PlayerDatabase;

// The running figures at the end of innings `innings`, from the replayed sheet: side names,
// totals, overs and rates, the chase (second innings), the not-out batsmen and the bowler rows.
InningsFigures finalFigures(const Scores& scores, const ScoreSheet& sheet, int innings,
                            const PlayerDatabase& database);

// The commentary of every delivery the record holds, in the log's lines, each completed over
// closed by its separator. The record keeps no wide or no-ball whose slot was bowled again, nor
// where in its over it came: those are listed, one a run, at the start of their over.
std::string commentaryOf(const Scores& scores, const PlayerDatabase& database);

} // namespace quorvel
