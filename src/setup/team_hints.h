#pragma once
// Advice on the balance of one side: the first of seven rules that the side fails, or praise.

#include <string>
#include <vector>

#include "records/player_database.h"

namespace quorvel {

// The counters the rules judge, over every entry of a side (not only the first eleven).
struct TeamBalance {
    int players = 0; // entries in the list, found or not
    int keepers = 0;
    int bowlers = 0;
    int goodFastBowlers = 0;
    int openers = 0;
    // Specialist batsman marks: one for the opening bit, one more for either specialist bit.
    int specialistBatsmen = 0;
};

// Counts a side's entries, each looked up by display name; an entry that is not found counts
// as a player and nothing else.
TeamBalance balanceOf(const std::vector<std::string>& entries, const PlayerDatabase& database);

// The one message for a side, from the rules in order: eleven players, a wicket-keeper, five
// bowlers, two openers, four specialist batsman marks, two good fast bowlers, at most one
// wicket-keeper; "The team selection looks good!" when none fails.
std::string hintFor(const TeamBalance& balance);
std::string balanceHint(const std::vector<std::string>& entries, const PlayerDatabase& database);

} // namespace quorvel
