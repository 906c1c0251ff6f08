#pragma once
// The tournament as quorvel-sim prints it: the table, the knockouts, the champion and the
// leaders, as fixed-pitch text, comma-separated blocks or one JSON object.

#include <string>

#include "screen/headless_match.h"
#include "tournament/tournament.h"

namespace quorvel {

class PlayerDatabase;

// The parts of the text report the game shows: the table with the knockouts and the champion;
// the leaders; and one match's line ("India 251/7 (50.0 overs), Pakistan 200: India won by 51
// runs", a knockout's named by its stage).
std::string tournamentTableText(const Tournament& tournament);
std::string tournamentLeadersText(const Tournament& tournament, const PlayerDatabase& database);
std::string tournamentMatchText(const Tournament& tournament, const MatchResult& result);

std::string tournamentReport(const Tournament& tournament, const PlayerDatabase& database,
                             SimFormat format);

// quorvel-sim --tournament: loads the database, plays the whole tournament from the seed (the
// clock when none is given) and reports it.
SimResult runTournamentSim(const SimOptions& options);

} // namespace quorvel
