#pragma once
// The fielding side's bowler rows and the two bowling limits that hold over them: at most ten
// overs a bowler, and never two overs running. Both limits hold per player: a player with two
// style bits has two rows, whose overs count together and which are barred together.

#include <array>
#include <string>

#include "engine/innings_figures.h"

namespace quorvel {

class PlayerDatabase;
class Team;

constexpr int kOversPerBowler = 10;

// Lists the fielding side's bowlers in bowlerNames: the players with style bit "Fast" in team
// order, then "Fast Medium", "Medium", "Off Spin" and "Leg Spin", at most ten rows from row 0
// without gaps. Rows past the last filled one are emptied. Numbers the rows' players and notes
// the database's records found by their names. Returns the number of rows filled.
int fillBowlerRows(InningsFigures& figures, const Team& fieldingSide,
                   const PlayerDatabase& database);

// Numbers each row's player, bowlerPlayers, as the first row that holds the same name (kNoRow
// for an empty row). fillBowlerRows does this; call it when the names are set any other way.
void numberBowlerRows(InningsFigures& figures);

// The number of rows holding a bowler.
int filledBowlerRows(const InningsFigures& figures);

// What the choice of the next over's bowler depends on.
struct BowlerChoiceState {
    // Each row's player, as the first row that holds the same name; kNoRow for an empty row.
    std::array<int, kBowlerRows> player = [] {
        std::array<int, kBowlerRows> none{};
        none.fill(kNoRow);
        return none;
    }();
    // Whole overs bowled by each row's player, on all of his rows together.
    std::array<int, kBowlerRows> playerOvers{};
    // The row whose player bowls the over before the one being chosen (kNoRow: none); his
    // player may not bowl the chosen over.
    int barredRow = kNoRow;
    // Overs still to be bowled in the innings, the one being chosen included.
    int oversLeft = kOversPerInnings;

    // The state after the over now starting (bowled by figures.currentBowlerRow) is finished:
    // the choice is for the over after it. Used while the current over is about to be bowled.
    static BowlerChoiceState afterCurrentOver(const InningsFigures& figures);
    // The state between overs: the choice is for over figures.overNumber, the previous over
    // having been bowled by figures.lastBowlerRow.
    static BowlerChoiceState beforeNextOver(const InningsFigures& figures);

    bool rowFilled(int row) const;
    bool samePlayer(int rowA, int rowB) const;
    // The row's player has an over left and did not bowl the over before.
    bool withinLimits(int row) const;
    // Choosing the row still leaves the rest of the innings possible to bowl under both limits.
    bool leavesInningsFinishable(int row) const;
    // The rows the captain may choose: those within the limits that leave the innings
    // finishable. When no row keeps the innings finishable (a side with fewer than five
    // bowlers), those within the limits.
    std::array<bool, kBowlerRows> choosableRows() const;

private:
    int oversCoverable(int rest) const;
    bool finishableWith(int row, int rest, int coverable) const;
};

} // namespace quorvel
