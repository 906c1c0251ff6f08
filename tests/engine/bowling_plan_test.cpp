#include <gtest/gtest.h>

#include <map>

#include "engine/bowler_rows.h"
#include "engine/bowling_plan.h"
#include "engine/flow_fixture.h"

namespace quorvel {
namespace {

using test::ScriptedRandom;

// A database whose players are the given rows' bowlers: player k is "Bk, Al" with strike rate
// rates[k]; rows name the players by index.
struct RowsFixture {
    PlayerDatabase database;
    InningsFigures figures;

    RowsFixture(const std::vector<double>& rates, const std::vector<int>& rowPlayers) {
        PlayerFile file;
        for (std::size_t k = 0; k < rates.size(); ++k) {
            Player player = test::makePlayer(static_cast<int>(k), "B" + std::to_string(k), "Al", 4,
                                             0, bowling::kFast);
            player.bowlingStrikeRate = rates[k];
            file.players.push_back(player);
        }
        database.assign(file);
        for (std::size_t row = 0; row < rowPlayers.size(); ++row)
            figures.bowlerNames[row] = "B" + std::to_string(rowPlayers[row]) + ", Al";
        numberBowlerRows(figures);
    }

    // Bowls the chosen row's over in the figures, as the over loop would leave them.
    void bowl(int row) {
        figures.bowlerOvers[row] += 1;
        ++figures.overNumber;
        figures.ballIndex = 6;
        if (figures.overNumber >= 2)
            figures.bowlerBeforeLastRow = figures.lastBowlerRow;
        figures.lastBowlerRow = row;
    }
};

TEST(BowlingPlanAllocation, EveryEntryBowlsTenOversNeverTwoRunning) {
    std::map<int, int> overs;
    for (int over = 0; over < kOversPerInnings; ++over) {
        ++overs[planEntryForOver(over)];
        if (over > 0) {
            EXPECT_NE(planEntryForOver(over), planEntryForOver(over - 1)) << "over " << over;
        }
    }
    ASSERT_EQ(overs.size(), 5u);
    for (const auto& [entry, count] : overs)
        EXPECT_EQ(count, 10) << "entry " << entry;

    EXPECT_EQ(planEntryForOver(9), 1);
    EXPECT_EQ(planEntryForOver(10), 2);
    EXPECT_EQ(planEntryForOver(11), 4);
    EXPECT_EQ(planEntryForOver(20), 3);
    EXPECT_EQ(planEntryForOver(39), 2);
    EXPECT_EQ(planEntryForOver(40), 1);
    EXPECT_EQ(planEntryForOver(49), 0);
    EXPECT_EQ(planEntryForOver(-1), 0);
    EXPECT_EQ(planEntryForOver(50), 0);
}

TEST(BowlingPlanSort, ExchangeSortIsNotStable) {
    std::array<int, kBowlerRows> order{0, 1, 2, 3};
    const std::array<double, kBowlerRows> rates{2, 3, 3, 1};
    orderByStrikeRate(order, 4, rates);
    EXPECT_EQ((std::vector<int>(order.begin(), order.begin() + 4)), (std::vector<int>{3, 0, 2, 1}));
}

TEST(BowlingPlanRebuild, ChangeBowlersAreTheLowestStrikeRatesBesidesTheOpeners) {
    // Rows 0 and 1 have the lowest rates of all; they must not push a change bowler out.
    RowsFixture rows({10, 11, 50, 30, 40, 20, 60}, {0, 1, 2, 3, 4, 5, 6});
    BowlingPlan plan;
    plan.rebuild(rows.figures, rows.database);
    EXPECT_EQ(plan.size, 5);
    EXPECT_EQ(plan.entries, (std::array<int, 5>{0, 1, 5, 3, 4}));
}

TEST(BowlingPlanRebuild, APlayerWithTwoRowsHoldsOneEntry) {
    // Player 0 bowls two styles: rows 0 and 3. Player 0's second row has the lowest rate of
    // the change bowlers but is not his own second entry.
    RowsFixture rows({10, 40, 30, 35, 45}, {0, 0, 1, 0, 2, 3, 4});
    BowlingPlan plan;
    plan.rebuild(rows.figures, rows.database);
    EXPECT_EQ(plan.size, 5);
    EXPECT_EQ(plan.entries[0], 0);
    EXPECT_EQ(plan.entries[1], 2); // the first row after row 0 of another player
    EXPECT_EQ(plan.entries[2], 4); // rate 30
    EXPECT_EQ(plan.entries[3], 5); // rate 35
    EXPECT_EQ(plan.entries[4], 6); // rate 45
}

TEST(ComputerCaptain, SlidersFollowThePhaseBowlingFirst) {
    RowsFixture rows({30, 31, 32, 33, 34}, {0, 1, 2, 3, 4});
    BowlingPlan plan;
    // 5 % 2 + 3 = 4 (bowling), 6 % 2 + 3 = 3 (fielding).
    ScriptedRandom random({5, 6});
    CaptainChoice choice = chooseBowler(plan, rows.figures, rows.database, random);
    EXPECT_EQ(choice.row, 0);
    EXPECT_EQ(choice.bowlingSlider, 4);
    EXPECT_EQ(choice.fieldingSlider, 3);
    EXPECT_EQ(random.draws(), 2);

    for (int over = 0; over < kOversPerInnings; ++over) {
        rows.figures.overNumber = over;
        rows.figures.ballIndex = over == 0 ? 0 : 6;
        choice = chooseBowler(plan, rows.figures, rows.database, random);
        const int low = over < 10 ? 3 : over < 25 ? 2 : over < 40 ? 1 : 0;
        const int high = over < 40 ? 4 : 1;
        EXPECT_GE(choice.bowlingSlider, low) << over;
        EXPECT_LE(choice.bowlingSlider, high) << over;
        EXPECT_GE(choice.fieldingSlider, low) << over;
        EXPECT_LE(choice.fieldingSlider, high) << over;
    }
    ScriptedRandom draws({4, 7, 3});
    EXPECT_EQ(captainSliderDraw(10, draws), 3); // 4 % 3 + 2
    EXPECT_EQ(captainSliderDraw(25, draws), 4); // 7 % 4 + 1
    EXPECT_EQ(captainSliderDraw(49, draws), 1); // 3 % 2
}

TEST(ComputerCaptain, PlanIsRebuiltOnlyAtTheStartOfAnInnings) {
    RowsFixture rows({30, 31, 32, 33, 34}, {0, 1, 2, 3, 4});
    ScriptedRandom random;
    BowlingPlan plan;
    chooseBowler(plan, rows.figures, rows.database, random);
    ASSERT_EQ(plan.size, 5);

    // Mid-innings the rows change (a later innings' side would): the plan stays as it was.
    rows.figures.bowlerNames = {};
    rows.figures.bowlerNames[0] = "B4, Al";
    numberBowlerRows(rows.figures);
    rows.figures.overNumber = 3;
    rows.figures.ballIndex = 6;
    rows.figures.lastBowlerRow = 2;
    EXPECT_EQ(plan.entries, (std::array<int, 5>{0, 1, 2, 3, 4}));

    // The start of the next innings rebuilds it from the new rows.
    rows.figures.overNumber = 0;
    rows.figures.ballIndex = 0;
    rows.figures.lastBowlerRow = kNoRow;
    chooseBowler(plan, rows.figures, rows.database, random);
    EXPECT_EQ(plan.size, 1);
}

TEST(ComputerCaptain, AFullPlanBowlsTheAllocationTable) {
    RowsFixture rows({30, 31, 50, 20, 40, 35}, {0, 1, 2, 3, 4, 5});
    ScriptedRandom random;
    BowlingPlan plan;
    for (int over = 0; over < kOversPerInnings; ++over) {
        const CaptainChoice choice = chooseBowler(plan, rows.figures, rows.database, random);
        ASSERT_EQ(choice.row, plan.entries[planEntryForOver(over)]) << over;
        rows.bowl(choice.row);
    }
    EXPECT_EQ(plan.entries, (std::array<int, 5>{0, 1, 3, 5, 4}));
    EXPECT_EQ(random.draws(), 100);
}

// With fewer than five different bowlers the captain still keeps both limits, and says so
// when nobody may bowl.
TEST(ComputerCaptain, FewerThanFiveBowlersKeepTheLimits) {
    for (int players = 1; players <= 4; ++players) {
        std::vector<double> rates;
        std::vector<int> rowPlayers;
        for (int k = 0; k < players; ++k) {
            rates.push_back(30 + k);
            rowPlayers.push_back(k);
        }
        rowPlayers.push_back(0); // player 0 also has a second row
        RowsFixture rows(rates, rowPlayers);
        ScriptedRandom random;
        BowlingPlan plan;
        std::map<std::string, int> overs;
        std::string last;
        int bowled = 0;
        for (; bowled < kOversPerInnings; ++bowled) {
            const CaptainChoice choice = chooseBowler(plan, rows.figures, rows.database, random);
            if (choice.row == kNoRow)
                break;
            const std::string& name = rows.figures.bowlerNames[choice.row];
            EXPECT_NE(name, last) << players << " bowlers, over " << bowled;
            EXPECT_LE(++overs[name], 10);
            last = name;
            rows.bowl(choice.row);
        }
        EXPECT_EQ(plan.size, players);
        // Ten overs each, except that one bowler alone cannot follow himself.
        EXPECT_EQ(bowled, players == 1 ? 1 : 10 * players) << players << " bowlers";
    }
}

TEST(ComputerCaptain, NoRowsNoBowler) {
    RowsFixture rows({}, {});
    ScriptedRandom random;
    BowlingPlan plan;
    const CaptainChoice choice = chooseBowler(plan, rows.figures, rows.database, random);
    EXPECT_EQ(choice.row, kNoRow);
    EXPECT_EQ(plan.size, 0);
    EXPECT_EQ(random.draws(), 2);
}

} // namespace
} // namespace quorvel
