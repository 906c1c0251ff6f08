#include "engine/bowling_plan.h"

#include <utility>

#include "engine/bowler_rows.h"
#include "engine/random.h"
#include "records/player_database.h"

namespace quorvel {

namespace {

// Plan entry of each over 0..49.
constexpr std::array<int, kOversPerInnings> kAllocation = {
    0, 1, 0, 1, 0, 1, 0, 1, 0, 1, // 0..9: the openers
    2, 4, 2, 4, 2, 4, 2, 4, 2, 4, // 10..19
    3, 4, 3, 4, 3, 4, 3, 4, 3, 4, // 20..29
    3, 2, 3, 2, 3, 2, 3, 2, 3, 2, // 30..39
    1, 0, 1, 0, 1, 0, 1, 0, 1, 0, // 40..49: the openers again
};

} // namespace

int planEntryForOver(int over) {
    if (over < 0 || over >= kOversPerInnings)
        return 0;
    return kAllocation[over];
}

int captainSliderDraw(int over, RandomSource& random) {
    const int draw = random.draw();
    if (over < 10)
        return draw % 2 + 3;
    if (over < 25)
        return draw % 3 + 2;
    if (over < 40)
        return draw % 4 + 1;
    return draw % 2;
}

void orderByStrikeRate(std::array<int, kBowlerRows>& order, int count,
                       const std::array<double, kBowlerRows>& strikeRates) {
    if (count > kBowlerRows)
        count = kBowlerRows;
    const auto rate = [&](int row) { return row >= 0 && row < kBowlerRows ? strikeRates[row] : 0; };
    for (int a = 0; a + 1 < count; ++a)
        for (int c = a + 1; c < count; ++c)
            if (rate(order[a]) > rate(order[c]))
                std::swap(order[a], order[c]);
}

void BowlingPlan::rebuild(const InningsFigures& figures, const PlayerDatabase& database) {
    entries.fill(kNoRow);
    size = 0;
    // Rows are filled from row 0 without gaps; n counts those that hold a bowler.
    int n = 0;
    while (n < kBowlerRows && !figures.bowlerNames[n].empty())
        ++n;
    if (n == 0)
        return;

    std::array<double, kBowlerRows> strikeRates{};
    std::array<int, kBowlerRows> order{};
    for (int row = 0; row < n; ++row) {
        const Player* player = database.findByDisplayName(figures.bowlerNames[row]);
        strikeRates[row] = player != nullptr ? player->bowlingStrikeRate : 0;
        order[row] = row;
    }
    orderByStrikeRate(order, n, strikeRates);

    const auto holdsEntry = [&](int row) {
        for (int entry = 0; entry < size; ++entry)
            if (figures.bowlerPlayers[entries[entry]] == figures.bowlerPlayers[row])
                return true;
        return false;
    };
    entries[size++] = 0;
    for (int row = 1; row < n; ++row) {
        if (!holdsEntry(row)) {
            entries[size++] = row;
            break;
        }
    }
    for (int k = 0; k < n && size < kPlanEntries; ++k)
        if (!holdsEntry(order[k]))
            entries[size++] = order[k];
}

CaptainChoice chooseBowler(BowlingPlan& plan, const InningsFigures& figures,
                           const PlayerDatabase& database, RandomSource& random) {
    const int over = figures.overNumber;
    if (over == 0 && figures.ballIndex == 0)
        plan.rebuild(figures, database);

    CaptainChoice choice;
    choice.bowlingSlider = captainSliderDraw(over, random);
    choice.fieldingSlider = captainSliderDraw(over, random);

    const BowlerChoiceState state = BowlerChoiceState::beforeNextOver(figures);
    if (plan.size == kPlanEntries) {
        const int row = plan.entries[planEntryForOver(over)];
        if (state.withinLimits(row)) {
            choice.row = row;
            return choice;
        }
    }
    int bestLeft = 0;
    for (int entry = 0; entry < plan.size && entry < kPlanEntries; ++entry) {
        const int row = plan.entries[entry];
        if (!state.withinLimits(row))
            continue;
        const int left = kOversPerBowler - state.playerOvers[row];
        if (left > bestLeft) {
            bestLeft = left;
            choice.row = row;
        }
    }
    return choice;
}

} // namespace quorvel
