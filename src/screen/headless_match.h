#pragma once
// A whole match without a display: two countries' predefined elevens, a toss from a given seed,
// and every choice made by the computer's own rules for both sides. `quorvel-sim`, the tournament
// and the predictor play through it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "reports/scoresheet.h"

namespace quorvel {

class PlayerDatabase;
class Random;
class Scores;

// A match played headless, as figures and texts: whether it was finished, the scoresheet text
// with the two innings lines (CR LF), the whole commentary and the scorecard tallies of both
// innings.
struct PlayedMatch {
    bool finished = true; // false: no bowler could bowl the next over
    std::string text;     // empty for a finished match played without text
    std::string log;
    std::array<InningsCard, 2> cards{};
};

// Repairs and loads the database as start-up does. Returns what is wrong when it could not be
// loaded: empty when start-up has already reported it (a bad format).
std::optional<std::string> loadSimDatabase(PlayerDatabase& database, const std::string& path);

// Sets up both sides as "Select" builds and OK stores them: the right side computer-captained.
// Returns an error text when a name is no country, the names are the same, or a side fails the
// Select Teams OK check.
std::optional<std::string> setUpPredefinedSides(Scores& scores, const PlayerDatabase& database,
                                                const std::string& left, const std::string& right);

// Tosses with the seed (the user, on the left, calls heads or tails), decides who bats first,
// and plays the whole match with the match screen's logic; `random` carries every draw.
// The text holds the scoresheet and the two innings lines; without text (a match played for
// statistics) only the scorecard tallies are kept, unless the match could not be finished.
PlayedMatch playHeadlessMatch(Scores& scores, const PlayerDatabase& database, Random& random,
                              std::uint32_t seed, bool callHeads, bool electBat,
                              bool withText = true);

} // namespace quorvel
