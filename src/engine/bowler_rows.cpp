#include "engine/bowler_rows.h"

#include <algorithm>

#include "records/player_database.h"
#include "records/team.h"

namespace quorvel {

namespace {

constexpr std::array<int, 5> kStylePasses = {bowling::kFast, bowling::kFastMedium, bowling::kMedium,
                                             bowling::kOffSpin, bowling::kLegSpin};

bool validRow(int row) { return row >= 0 && row < kBowlerRows; }

// Whole overs of a row's figure. Between overs the figure is whole; a part-bowled over counts.
// The figure less a hair, rounded up: truncated, and one more when something was cut off.
int wholeOvers(double figure) {
    if (!(figure > 0))
        return 0;
    const double less = figure - 1e-6;
    const int whole = static_cast<int>(less);
    return less > whole ? whole + 1 : whole;
}

BowlerChoiceState stateFrom(const InningsFigures& figures) {
    BowlerChoiceState state;
    std::array<int, kBowlerRows> overs{};
    for (int row = 0; row < kBowlerRows; ++row) {
        const int first = figures.bowlerPlayers[row];
        if (!validRow(first))
            continue;
        state.player[row] = first;
        overs[first] += wholeOvers(figures.bowlerOvers[row]);
    }
    for (int row = 0; row < kBowlerRows; ++row)
        if (state.player[row] != kNoRow)
            state.playerOvers[row] = overs[state.player[row]];
    return state;
}

} // namespace

int fillBowlerRows(InningsFigures& figures, const Team& fieldingSide,
                   const PlayerDatabase& database) {
    int row = 0;
    for (int style : kStylePasses) {
        for (int place = 0; place < kTeamSize && row < kBowlerRows; ++place) {
            const Player* player = database.findById(fieldingSide.playerAt(place));
            if (player != nullptr && (player->bowlingFlags & style) != 0)
                figures.bowlerNames[row++] = player->displayName();
        }
    }
    for (int rest = row; rest < kBowlerRows; ++rest)
        figures.bowlerNames[rest].clear();
    numberBowlerRows(figures);
    for (int filled = 0; filled < kBowlerRows; ++filled)
        figures.bowlerRecords[filled] =
            filled < row ? database.indexOf(database.findByDisplayName(figures.bowlerNames[filled]))
                         : -1;
    return row;
}

void numberBowlerRows(InningsFigures& figures) {
    for (int row = 0; row < kBowlerRows; ++row) {
        const std::string& name = figures.bowlerNames[row];
        int first = kNoRow;
        if (!name.empty()) {
            first = 0;
            while (figures.bowlerNames[first] != name)
                ++first;
        }
        figures.bowlerPlayers[row] = first;
    }
}

int filledBowlerRows(const InningsFigures& figures) {
    return static_cast<int>(std::count_if(figures.bowlerNames.begin(), figures.bowlerNames.end(),
                                          [](const std::string& name) { return !name.empty(); }));
}

BowlerChoiceState BowlerChoiceState::afterCurrentOver(const InningsFigures& figures) {
    BowlerChoiceState state = stateFrom(figures);
    const int current = figures.currentBowlerRow;
    if (state.rowFilled(current)) {
        for (int row = 0; row < kBowlerRows; ++row)
            if (state.samePlayer(row, current))
                ++state.playerOvers[row];
        state.barredRow = current;
    }
    state.oversLeft = kOversPerInnings - (figures.overNumber + 1);
    return state;
}

BowlerChoiceState BowlerChoiceState::beforeNextOver(const InningsFigures& figures) {
    BowlerChoiceState state = stateFrom(figures);
    state.barredRow = validRow(figures.lastBowlerRow) ? figures.lastBowlerRow : kNoRow;
    state.oversLeft = kOversPerInnings - figures.overNumber;
    return state;
}

bool BowlerChoiceState::rowFilled(int row) const { return validRow(row) && player[row] != kNoRow; }

bool BowlerChoiceState::samePlayer(int rowA, int rowB) const {
    return rowFilled(rowA) && rowFilled(rowB) && player[rowA] == player[rowB];
}

bool BowlerChoiceState::withinLimits(int row) const {
    return rowFilled(row) && playerOvers[row] < kOversPerBowler && !samePlayer(row, barredRow);
}

// After a choice, `rest` overs remain, and the chosen player may not bowl the first of them. A
// sequence of `rest` overs with no player twice running, which does not start with the chosen
// player, exists exactly when the overs can be shared out so that the chosen player takes at
// most rest / 2 of them and every other player at most (rest + 1) / 2, each within what he has
// left. These are the overs every player could take were none chosen, counted once a player.
int BowlerChoiceState::oversCoverable(int rest) const {
    int coverable = 0;
    for (int row = 0; row < kBowlerRows; ++row)
        if (rowFilled(row) && player[row] == row)
            coverable += std::max(0, std::min(kOversPerBowler - playerOvers[row], (rest + 1) / 2));
    return coverable;
}

bool BowlerChoiceState::finishableWith(int row, int rest, int coverable) const {
    if (!withinLimits(row))
        return false;
    if (rest <= 0)
        return true;
    // The chosen player's share is one over less and at most rest / 2.
    const int left = kOversPerBowler - playerOvers[row];
    coverable -= std::max(0, std::min(left, (rest + 1) / 2));
    coverable += std::max(0, std::min(left - 1, rest / 2));
    return coverable >= rest;
}

bool BowlerChoiceState::leavesInningsFinishable(int row) const {
    const int rest = oversLeft - 1;
    return finishableWith(row, rest, oversCoverable(rest));
}

std::array<bool, kBowlerRows> BowlerChoiceState::choosableRows() const {
    std::array<bool, kBowlerRows> rows{};
    bool any = false;
    const int rest = oversLeft - 1;
    const int coverable = oversCoverable(rest);
    for (int row = 0; row < kBowlerRows; ++row) {
        rows[row] = finishableWith(row, rest, coverable);
        any = any || rows[row];
    }
    if (!any)
        for (int row = 0; row < kBowlerRows; ++row)
            rows[row] = withinLimits(row);
    return rows;
}

} // namespace quorvel
