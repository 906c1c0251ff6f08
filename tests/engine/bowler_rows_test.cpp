#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>

#include "engine/bowler_rows.h"
#include "engine/flow_fixture.h"

namespace quorvel {
namespace {

using test::PlayerProfile;
using test::TwoSides;

TEST(FillBowlerRows, StyleOrderThenTeamOrderAtMostTen) {
    TwoSides sides;
    InningsFigures figures;
    figures.bowlerNames[9] = "Stale, Row";
    // Left side: Fast Garnet and Mica, Fast Medium Jade, Medium Coral, Off Spin
    // Flint, Leg Spin Lapis.
    EXPECT_EQ(fillBowlerRows(figures, sides.scores.teams[0], sides.database), 6);
    const std::vector<std::string> expected = {"LGarnet, Al", "LMica, Al",  "LJade, Al",
                                               "LCoral, Al",  "LFlint, Al", "LLapis, Al"};
    for (int row = 0; row < kBowlerRows; ++row)
        EXPECT_EQ(figures.bowlerNames[row], row < 6 ? expected[row] : "") << row;
    EXPECT_EQ(filledBowlerRows(figures), 6);

    // Every player bowls two styles: only the first ten rows are filled, and the fast
    // pass comes first for all of them.
    std::vector<PlayerProfile> allRounders;
    for (int k = 0; k < kTeamSize; ++k)
        allRounders.push_back({"P" + std::to_string(k), 0, bowling::kFast | bowling::kLegSpin});
    TwoSides many(allRounders);
    EXPECT_EQ(fillBowlerRows(figures, many.scores.teams[0], many.database), 10);
    EXPECT_EQ(figures.bowlerNames[0], "P0, Al");
    EXPECT_EQ(figures.bowlerNames[9], "P9, Al");
    for (int row = 0; row < kBowlerRows; ++row) {
        EXPECT_EQ(figures.bowlerPlayers[row], row);
        EXPECT_EQ(many.database.recordAt(figures.bowlerRecords[row])->displayName(),
                  figures.bowlerNames[row]);
    }

    // A player with two styles has two rows with one number; two namesakes count as one player
    // and both rows note the record a look-up by the name finds, the first. Rows left empty
    // lose their numbers and records.
    std::vector<PlayerProfile> twice(kTeamSize, PlayerProfile{"Bat"});
    twice[0] = {"Both", 0, bowling::kFast | bowling::kLegSpin};
    twice[1] = {"Twin", 0, bowling::kMedium};
    twice[2] = {"Twin", 0, bowling::kOffSpin};
    TwoSides namesakes(twice);
    EXPECT_EQ(fillBowlerRows(figures, namesakes.scores.teams[0], namesakes.database), 4);
    EXPECT_EQ(figures.bowlerPlayers,
              (std::array<int, kBowlerRows>{0, 1, 1, 0, -1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(figures.bowlerRecords,
              (std::array<int, kBowlerRows>{0, 1, 1, 0, -1, -1, -1, -1, -1, -1}));
}

TEST(BowlerLimits, PerPlayerAcrossHisRows) {
    InningsFigures figures;
    figures.bowlerNames = {"A, X", "B, X", "C, X", "A, X", "D, X", "E, X"};
    numberBowlerRows(figures);
    figures.bowlerOvers[0] = 6;
    figures.bowlerOvers[3] = 4; // A's second row: ten overs together
    figures.bowlerOvers[1] = 3;
    figures.overNumber = 13;
    figures.lastBowlerRow = 1;
    const auto state = BowlerChoiceState::beforeNextOver(figures);
    EXPECT_EQ(state.playerOvers[0], 10);
    EXPECT_EQ(state.playerOvers[3], 10);
    EXPECT_FALSE(state.withinLimits(0));
    EXPECT_FALSE(state.withinLimits(3));
    EXPECT_FALSE(state.withinLimits(1)); // bowled the last over
    EXPECT_TRUE(state.withinLimits(2));
    EXPECT_FALSE(state.withinLimits(6)); // empty row
    EXPECT_FALSE(state.withinLimits(-1));
    EXPECT_FALSE(state.withinLimits(10));

    // While row 3 is about to bowl, both of the player's rows are barred for the next over.
    figures.bowlerOvers[0] = 2;
    figures.currentBowlerRow = 3;
    const auto during = BowlerChoiceState::afterCurrentOver(figures);
    EXPECT_EQ(during.playerOvers[0], 7);
    EXPECT_FALSE(during.withinLimits(0));
    EXPECT_FALSE(during.withinLimits(3));
    EXPECT_TRUE(during.withinLimits(1));
    EXPECT_EQ(during.oversLeft, 36);
}

TEST(BowlerLimits, AChoiceThatStrandsTheInningsIsNotOffered) {
    // Three overs left: A has two, B one, and C bowled the last over with his tenth. Giving
    // the next over to B would leave A to bowl the last two running.
    InningsFigures figures;
    figures.bowlerNames = {"A, X", "B, X", "C, X"};
    numberBowlerRows(figures);
    figures.bowlerOvers = {8, 9, 10};
    figures.overNumber = 47;
    figures.lastBowlerRow = 2;
    const auto state = BowlerChoiceState::beforeNextOver(figures);
    EXPECT_TRUE(state.withinLimits(1));
    EXPECT_FALSE(state.leavesInningsFinishable(1));
    EXPECT_TRUE(state.leavesInningsFinishable(0));
    EXPECT_EQ(state.choosableRows(), (std::array<bool, kBowlerRows>{true}));

    // When nothing can finish the innings (too few bowlers) the plain limits decide.
    figures.bowlerOvers = {9, 9, 10};
    const auto hopeless = BowlerChoiceState::beforeNextOver(figures);
    EXPECT_EQ(hopeless.choosableRows(), (std::array<bool, kBowlerRows>{true, true}));
}

// Plays the choice of 50 overs with a chooser picking among the choosable rows; every innings
// must finish with both limits kept.
void playOutInnings(const std::array<std::string, kBowlerRows>& names,
                    const std::function<int(const std::array<bool, kBowlerRows>&)>& pick) {
    InningsFigures figures;
    figures.bowlerNames = names;
    numberBowlerRows(figures);
    std::map<std::string, int> overs;
    std::string last;
    for (int over = 0; over < kOversPerInnings; ++over) {
        figures.overNumber = over;
        const auto choosable = BowlerChoiceState::beforeNextOver(figures).choosableRows();
        const int row = pick(choosable);
        ASSERT_GE(row, 0) << "stuck before over " << over;
        ASSERT_TRUE(choosable[row]);
        const std::string& name = figures.bowlerNames[row];
        ASSERT_NE(name, last) << "over " << over;
        ASSERT_LE(++overs[name], kOversPerBowler) << name;
        last = name;
        figures.bowlerOvers[row] += 1;
        figures.lastBowlerRow = row;
    }
}

TEST(BowlerLimits, FiveBowlersAlwaysFinishTheInnings) {
    const std::array<std::string, kBowlerRows> five = {"A, X", "B, X", "C, X", "D, X", "E, X"};
    // A captain who always takes the first row offered would bowl A and B out, then C and D,
    // and be left with E alone.
    playOutInnings(five, [](const auto& rows) {
        for (int row = 0; row < kBowlerRows; ++row)
            if (rows[row])
                return row;
        return -1;
    });
    // The same from the last row up, and at random, with a player who has two rows.
    playOutInnings(five, [](const auto& rows) {
        for (int row = kBowlerRows - 1; row >= 0; --row)
            if (rows[row])
                return row;
        return -1;
    });
    const std::array<std::string, kBowlerRows> twoRows = {"A, X", "B, X", "C, X",
                                                          "A, X", "D, X", "E, X"};
    std::mt19937 generator(7);
    for (int trial = 0; trial < 200; ++trial) {
        playOutInnings(trial % 2 ? five : twoRows, [&](const auto& rows) {
            std::vector<int> offered;
            for (int row = 0; row < kBowlerRows; ++row)
                if (rows[row])
                    offered.push_back(row);
            if (offered.empty())
                return -1;
            return offered[generator() % offered.size()];
        });
    }
}

} // namespace
} // namespace quorvel
