#pragma once
// quorvel-sim --tournament: the nine countries' tournament played from a seed and printed as
// fixed-pitch text, comma-separated blocks or one JSON object.

#include <string>

#include "cli/sim_command.h"

namespace quorvel {

class PlayerDatabase;
class Tournament;

// The report of a played tournament: the table, the knockouts, the champion and the leaders.
void writeTournamentReport(const Tournament& tournament, const PlayerDatabase& database,
                           cli::OutputFormat format,
                           const std::function<void(std::string_view)>& write);
std::string tournamentReport(const Tournament& tournament, const PlayerDatabase& database,
                             cli::OutputFormat format);

// Loads the database, plays the whole tournament from the seed (the clock when none is given)
// and reports it.
SimResult runTournamentSim(const SimOptions& options);

} // namespace quorvel
