#pragma once
// A saved match continued: taken up from its record after the last over it holds, with its
// scoresheet and commentary rebuilt, and played on by whoever makes the match's choices.

#include <cstdint>
#include <optional>

#include "predict/match_position.h"

namespace quorvel {

class MatchScreen;
class Random;
struct PlayedMatch;

// Where a saved match stops: the position after the last over of the last innings it holds.
// None when nothing was bowled, or when the match is over (its second innings ended).
std::optional<MatchPosition> resumePosition(const Scores& record, const PlayerDatabase& database);

// Takes the saved match up on the screen where its record stops: the record becomes the match,
// the scoresheet and the log are rebuilt from it, the innings goes on from the position (an
// innings that had ended there is closed and the next set up), the computer's plans are made
// from the bowler rows and the sliders start in their middle. False, with the screen untouched,
// when the record cannot be continued (see resumePosition).
bool continueSavedMatch(MatchScreen& screen, const Scores& record, const PlayerDatabase& database);

// A saved match played on from where its record stops to its end, by the computer's rules for
// both sides, into `scores`; `random` is seeded with `seed` and carries every draw. The text is
// the scoresheet and the two innings lines (the first innings' summary rebuilt when it ended
// before the match was saved). Not finished when no bowler could bowl an over; nothing played
// when the record cannot be continued (see resumePosition).
PlayedMatch playSavedMatchOn(const Scores& saved, Scores& scores, const PlayerDatabase& database,
                             Random& random, std::uint32_t seed);

} // namespace quorvel
