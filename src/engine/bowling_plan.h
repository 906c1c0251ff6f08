#pragma once
// The computer's bowling captaincy: a plan of five bowlers made at the start of each innings,
// a fixed allocation of the fifty overs to them, and a random setting of the Bowling and
// Fielding sliders for each over.

#include <array>

#include "engine/innings_figures.h"

namespace quorvel {

class PlayerDatabase;
class RandomSource;

constexpr int kPlanEntries = 5;

// The plan entry (0..4) that bowls over `over` (0..49): the openers (entries 0 and 1) take
// overs 0..9 and 40..49 in turn, the change bowlers the middle overs. Every entry gets ten
// overs and none gets two running. Overs outside 0..49 are given to entry 0.
int planEntryForOver(int over);

// A slider position for over `over`, from one draw: 3 or 4 in overs 0..9, 2..4 in 10..24,
// 1..4 in 25..39, 0 or 1 in 40..49.
int captainSliderDraw(int over, RandomSource& random);

// Orders rows by the bowling strike rate of their players, ascending, with an exchange sort:
// for a = 0..n-2, c = a+1..n-1, entries a and c change places when the rate at a is strictly
// greater than the rate at c. (Not stable: equal rates may change order.)
void orderByStrikeRate(std::array<int, kBowlerRows>& order, int count,
                       const std::array<double, kBowlerRows>& strikeRates);

struct BowlingPlan {
    // Rows of the five plan entries; kNoRow where an entry has no bowler.
    std::array<int, kPlanEntries> entries{kNoRow, kNoRow, kNoRow, kNoRow, kNoRow};
    // Number of entries set (entries 0..size-1): five unless the rows hold fewer than five
    // different players.
    int size = 0;

    // Builds the plan from the bowler rows: entry 0 is row 0; entry 1 the first later row of a
    // different player; entries 2..4 the first three rows, in ascending order of strike rate,
    // whose players hold no entry yet. No player gets two entries.
    void rebuild(const InningsFigures& figures, const PlayerDatabase& database);
};

// The computer captain's decision for the next over.
struct CaptainChoice {
    int row = kNoRow; // kNoRow: no bowler of the side may bowl the over
    int bowlingSlider = 2;
    int fieldingSlider = 2;
};

// Chooses the bowler of the next over (figures.overNumber) and the two slider positions
// (two draws, Bowling first). At the start of an innings (over 0, ball 0) the plan is rebuilt.
// With a full plan the allocation table gives the row. With fewer than five different
// bowlers, or should the table's row be barred, the plan's bowler with the most overs left
// among those who may bowl is taken (the earliest entry on a tie), so that the ten-over limit
// holds and no bowler bowls two overs running.
CaptainChoice chooseBowler(BowlingPlan& plan, const InningsFigures& figures,
                           const PlayerDatabase& database, RandomSource& random);

} // namespace quorvel
