#pragma once
// A saved match continued: taken up from its record after the last over it holds, with its
// scoresheet and commentary rebuilt, and played on by whoever makes the match's choices.

#include <optional>

#include "predict/match_position.h"

namespace quorvel {

class MatchChoices;
class MatchScreen;
struct SimOptions;
struct SimResult;

// Where a saved match stops: the position after the last over of the last innings it holds.
// None when nothing was bowled, or when the match is over (its second innings ended).
std::optional<MatchPosition> resumePosition(const Scores& record, const PlayerDatabase& database);

// Takes the saved match up on the screen where its record stops: the record becomes the match,
// the scoresheet and the log are rebuilt from it, the innings goes on from the position (an
// innings that had ended there is closed and the next set up), the computer's plans are made
// from the bowler rows and the sliders start in their middle. False, with the screen untouched,
// when the record cannot be continued (see resumePosition).
bool continueSavedMatch(MatchScreen& screen, const Scores& record, const PlayerDatabase& database);

// quorvel-sim --resume: the saved match of options.resumePath played to its end by the
// computer's rules for both sides, every draw from the seed (the clock's, printed on standard
// error, when none is given). The output is the scoresheet and the two innings lines; --log
// and --save write the whole match's commentary and record.
SimResult runResumeSim(const SimOptions& options);

} // namespace quorvel
