#pragma once
// The tournament as quorvel-sim prints it: the table, the knockouts, the champion and the
// leaders, as fixed-pitch text, comma-separated blocks or one JSON object.

#include <string>

#include "screen/headless_match.h"
#include "tournament/tournament.h"

namespace quorvel {

class PlayerDatabase;

std::string tournamentReport(const Tournament& tournament, const PlayerDatabase& database,
                             SimFormat format);

// quorvel-sim --tournament: loads the database, plays the whole tournament from the seed (the
// clock when none is given) and reports it.
SimResult runTournamentSim(const SimOptions& options);

} // namespace quorvel
