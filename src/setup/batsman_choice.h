#pragma once
// The incoming batsman: who of the batting side is still to come, the list the user picks from,
// and the computer's pick (openers first, then the specialist batsmen, then the lower order).

#include <cstdint>
#include <string>
#include <vector>

#include "engine/innings_figures.h"

namespace quorvel {

class PlayerDatabase;
class Scores;

// The player faced a delivery of the innings in overs 0..upToOver.
bool hasBatted(const Innings& innings, int upToOver, std::int32_t playerId);

// The batting side's players still to come, in batting order: not at the crease and not yet
// batted in the innings of figures.inningsIndex (up to and including figures.overNumber).
// Empty places and ids the database does not know are left out.
std::vector<std::int32_t> playersStillToCome(const Scores& scores, const InningsFigures& figures,
                                             const PlayerDatabase& database);

// The user's choice: the display names of the players still to come, in alphabetical order
// ignoring case.
std::vector<std::string> batsmanCandidates(const Scores& scores, const InningsFigures& figures,
                                           const PlayerDatabase& database);

// The computer's choice: the first player still to come, in batting order, with batting bit
// 0x1; failing that with 0x2, then 0x4, then 0x8; failing all, the first still to come. Sets
// chosenName to his display name and returns his id; returns -1 and leaves chosenName alone
// when nobody is still to come.
std::int32_t chooseNextBatsman(const Scores& scores, const InningsFigures& figures,
                               const PlayerDatabase& database, std::string& chosenName);

// "The computer has selected " and the name.
std::string computerSelectionText(const std::string& chosenName);

} // namespace quorvel
