#pragma once
// The tournament as text, as the game shows it and quorvel-sim prints it: the table with the
// knockouts and the champion, the leaders, one match's line; and the pieces the machine-readable
// reports share with it.

#include <cstdint>
#include <string>
#include <vector>

#include "tournament/tournament.h"

namespace quorvel {

class PlayerDatabase;

// The parts of the text report the game shows: the table with the knockouts and the champion;
// the leaders; and one match's line ("India 251/7 (50.0 overs), Pakistan 200: India won by 51
// runs", a knockout's named by its stage).
std::string tournamentTableText(const Tournament& tournament);
std::string tournamentLeadersText(const Tournament& tournament, const PlayerDatabase& database);
std::string tournamentMatchText(const Tournament& tournament, const MatchResult& result);

// "R Khurana", or "?" for an id the database does not hold.
std::string playerName(const PlayerDatabase& database, std::int32_t id);
// A net run rate to three places, with its sign as tables print it.
std::string rateText(double rate, bool plusSign = true);
std::string stageName(Stage stage);
// The semi-finals and the final played so far, in order.
std::vector<const MatchResult*> knockouts(const Tournament& tournament);

// The four leader lists with their titles, their keys and how each line's figure reads.
struct LeaderList {
    const char* title;
    const char* key;
    const std::vector<LeaderLine>* lines;
    bool spell; // wickets/runs rather than runs with a not-out star
};
std::vector<LeaderList> leaderLists(const Leaders& leaders);
std::string figureText(const LeaderLine& line, bool spell);

} // namespace quorvel
