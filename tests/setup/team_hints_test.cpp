#include <gtest/gtest.h>

#include "setup/team_hints.h"
#include "support/test_support.h"

namespace quorvel {
namespace {

using test::makePlayer;

// A side built from role codes, one player each: K keeper, F fast bowler, S spinner, M medium
// bowler, O opener, B specialist batsman (0x4), W opener with 0x2 too, X plain lower order.
struct Side {
    PlayerDatabase database;
    std::vector<std::string> entries;
};

Side sideOf(const std::string& roles) {
    std::vector<Player> players;
    for (std::size_t i = 0; i < roles.size(); ++i) {
        // Left-handed openers and left-arm fast bowlers: those bits play no part.
        const char role = roles[i];
        const int keeper = role == 'K' ? 0x1 : 0;
        const int bowling = role == 'F' ? 0x101 : role == 'S' ? 0x8 : role == 'M' ? 0x4 : 0;
        const int batting = role == 'O' ? 0x101 : role == 'B' ? 0x4 : role == 'W' ? 0x3 : 0x8;
        players.push_back(makePlayer(static_cast<int>(i), "P" + std::to_string(i), "Q", 4, batting,
                                     bowling, keeper));
    }
    Side side;
    for (const auto& player : players)
        side.entries.push_back(player.displayName());
    side.database.assign(PlayerFile{0, std::move(players)});
    return side;
}

std::string hint(const std::string& roles) {
    const Side side = sideOf(roles);
    return balanceHint(side.entries, side.database);
}

TEST(TeamHints, RulesAreReportedInTheirOrder) {
    EXPECT_EQ(hint("KFFSSSOOBB"), "You need 11 players in the team");
    EXPECT_EQ(hint("XFFSSOOBBXX"), "There is no wicket keeper in this team!");
    EXPECT_EQ(hint("KKFFSSOOBBX"), "You need at least 5 bowlers in a team");
    EXPECT_EQ(hint("KFFSSSOXBBX"), "There are not enough specialist opening batsmen");
    EXPECT_EQ(hint("KFFSSSOOXXX"), "There are only 2 specialist batsmen in the team");
    EXPECT_EQ(hint("KFFSSSOOBXX"), "There are only 3 specialist batsmen in the team");
    EXPECT_EQ(hint("KFMSSSOOBBX"), "You need at least 2 good fast bowlers to open the bowling");
    EXPECT_EQ(hint("KMMSSSOOBBX"), "You need at least 2 good fast bowlers to open the bowling");
    EXPECT_EQ(hint("KKFFSSSOOBB"), "You have more than 1 specialist wicket keeper");
    EXPECT_EQ(hint("KFFSSSOOBBX"), "The team selection looks good!");
}

TEST(TeamHints, OpenersWithASpecialistBitCountTwice) {
    const Side side = sideOf("KFFSSSWWXXX");
    const auto balance = balanceOf(side.entries, side.database);
    EXPECT_EQ(balance.openers, 2);
    EXPECT_EQ(balance.specialistBatsmen, 4);
    EXPECT_EQ(hintFor(balance), "The team selection looks good!");
}

TEST(TeamHints, EveryEntryCountsBeyondTheEleventh) {
    // The keeper is the twelfth entry.
    EXPECT_EQ(hint("XFFSSSOOBBXK"), "The team selection looks good!");
}

TEST(TeamHints, EntryNotFoundCountsOnlyAsAPlayer) {
    Side side = sideOf("KFFSSSOOBX");
    side.entries.push_back("Nobody, Here");
    EXPECT_EQ(balanceOf(side.entries, side.database).players, 11);
    EXPECT_EQ(balanceHint(side.entries, side.database),
              "There are only 3 specialist batsmen in the team");
}

} // namespace
} // namespace quorvel
