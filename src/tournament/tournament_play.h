#pragma once
// Plays a tournament's matches headless: each one a whole match of the match session with the
// computer's choices for both sides, seeded from the tournament's seed.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "reports/scoresheet.h"
#include "tournament/tournament.h"

namespace quorvel {

class PlayerDatabase;
class Scores;

// The result of a finished match of the fixture, from its record and scorecards.
MatchResult matchResultOf(const Fixture& fixture, std::uint32_t seed, const Scores& scores,
                          const std::array<InningsCard, 2>& cards);

// Plays the next match of the tournament and records it. Returns what went wrong, if anything;
// the tournament is then unchanged.
std::optional<std::string> playNextMatch(Tournament& tournament, const PlayerDatabase& database);

// Plays every match still to play.
std::optional<std::string> playOut(Tournament& tournament, const PlayerDatabase& database);

} // namespace quorvel
