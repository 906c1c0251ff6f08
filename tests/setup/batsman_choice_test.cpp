#include <gtest/gtest.h>

#include <algorithm>

#include "engine/flow_fixture.h"
#include "setup/batsman_choice.h"

namespace quorvel {
namespace {

using test::PlayerProfile;
using test::TwoSides;

// A side whose batting flags are given by position; every player is called "S<position>".
std::vector<PlayerProfile> sideWithFlags(const std::vector<int>& flags) {
    std::vector<PlayerProfile> side;
    for (std::size_t k = 0; k < flags.size(); ++k)
        side.push_back({"S" + std::to_string(k), flags[k]});
    return side;
}

TEST(ComputerBatsman, OpenersThenSpecialistsThenLowerOrderThenTheRest) {
    // Only opener at position 5; bit 0x2 at 7 and 3; bit 0x4 at 1; 0x8 at 9.
    TwoSides sides(sideWithFlags({0, 0x4, 0, 0x2, 0, 0x1, 0, 0x2, 0, 0x8, 0}));
    InningsFigures figures;                    // innings 0, battingFirst 0: the left side bats
    figures.overNumber = kOversPerInnings - 1; // every stored delivery counts
    std::string name = "unchanged";
    const std::vector<int> expected = {5, 3, 7, 1, 9, 0, 2, 4, 6, 8, 10};
    int ballsFaced = 0;
    for (int pick : expected) {
        const int id = chooseNextBatsman(sides.scores, figures, sides.database, name);
        ASSERT_EQ(id, pick);
        EXPECT_EQ(name, "S" + std::to_string(pick) + ", Al");
        // The batsman in slot 0 has faced a ball and is out; the new one comes in.
        if (figures.batsmanIds[0] != kNoPlayer) {
            sides.scores.innings[0].overs[ballsFaced / 6].balls[ballsFaced % 6].batsmanId =
                figures.batsmanIds[0];
            ++ballsFaced;
        }
        figures.batsmanIds[0] = figures.batsmanIds[1];
        figures.batsmanIds[1] = id;
    }
    name = "unchanged";
    EXPECT_EQ(chooseNextBatsman(sides.scores, figures, sides.database, name), kNoPlayer);
    EXPECT_EQ(name, "unchanged");
}

TEST(ComputerBatsman, OpenersInBattingOrderAndTheRightSideInTheSecondInnings) {
    TwoSides sides(sideWithFlags({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
                   sideWithFlags({0x2, 0x1, 0, 0x1, 0, 0, 0, 0, 0, 0, 0}));
    InningsFigures figures;
    figures.inningsIndex = 1; // battingFirst 0: the right side bats second
    std::string name;
    EXPECT_EQ(chooseNextBatsman(sides.scores, figures, sides.database, name), 12);
    figures.batsmanIds[0] = 12;
    EXPECT_EQ(chooseNextBatsman(sides.scores, figures, sides.database, name), 14);

    // A side without any batting flag comes in batting order.
    figures.inningsIndex = 0;
    figures.batsmanIds = {kNoPlayer, kNoPlayer};
    EXPECT_EQ(chooseNextBatsman(sides.scores, figures, sides.database, name), 0);

    // Empty places are passed over, by the pick and by the list.
    sides.scores.teams[0].setPlayer(0, kNoPlayer);
    sides.scores.teams[0].setPlayer(1, kNoPlayer);
    EXPECT_EQ(chooseNextBatsman(sides.scores, figures, sides.database, name), 2);
    EXPECT_EQ(playersStillToCome(sides.scores, figures, sides.database).front(), 2);
}

TEST(UserBatsmanCandidates, StillToComeInAlphabeticalOrderIgnoringCase) {
    TwoSides sides({{"delta"},
                    {"Alpha"},
                    {"charlie"},
                    {"Bravo"},
                    {"echo"},
                    {"Foxtrot"},
                    {"golf"},
                    {"Hotel"},
                    {"india"},
                    {"Juliet"},
                    {"kilo"}});
    InningsFigures figures;
    figures.batsmanIds = {0, 1};
    auto names = batsmanCandidates(sides.scores, figures, sides.database);
    ASSERT_EQ(names.size(), 9u);
    EXPECT_EQ(names.front(), "Bravo, Al");
    EXPECT_EQ(names[1], "charlie, Al");
    EXPECT_EQ(names.back(), "kilo, Al");

    // After the first wicket: the dismissed opener (0) is still in his slot while the list is
    // made, and the other opener has batted.
    sides.scores.innings[0].overs[0].balls[0].batsmanId = 1;
    sides.scores.innings[0].overs[0].balls[1].batsmanId = 0;
    names = batsmanCandidates(sides.scores, figures, sides.database);
    EXPECT_EQ(names.size(), 9u);
    EXPECT_EQ(std::count(names.begin(), names.end(), "delta, Al"), 0);

    // Deliveries beyond the current over do not count as batted.
    figures.batsmanIds = {2, 3};
    sides.scores.innings[0].overs[5].balls[0].batsmanId = 4;
    figures.overNumber = 4;
    names = batsmanCandidates(sides.scores, figures, sides.database);
    EXPECT_EQ(std::count(names.begin(), names.end(), "echo, Al"), 1);
    figures.overNumber = 5;
    names = batsmanCandidates(sides.scores, figures, sides.database);
    EXPECT_EQ(std::count(names.begin(), names.end(), "echo, Al"), 0);
    EXPECT_EQ(names.size(), 6u);
}

TEST(HasBatted, BoundsAndNobody) {
    Innings innings;
    innings.overs[49].balls[5].batsmanId = 7;
    EXPECT_TRUE(hasBatted(innings, 49, 7));
    EXPECT_TRUE(hasBatted(innings, 500, 7));
    EXPECT_FALSE(hasBatted(innings, 48, 7));
    EXPECT_FALSE(hasBatted(innings, -3, 7));
    EXPECT_FALSE(hasBatted(innings, 49, kNoPlayer));
    EXPECT_EQ(computerSelectionText("Doe, Jo"), "The computer has selected Doe, Jo");
}

} // namespace
} // namespace quorvel
