#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "setup/team_selection.h"
#include "support/test_support.h"

namespace quorvel {
namespace {

using test::makePlayer;
constexpr auto kLeft = TeamSide::Left;
constexpr auto kRight = TeamSide::Right;

// India and Pakistan: a playable predefined eleven each (keeper first, then five bowlers), in
// database order opposite to their alphabetical order, plus three unflagged players. Sri Lanka:
// twelve flagged players whose only keeper comes last, and one more. Then one Indian whose
// display name cannot be looked up (a surname of 32 characters).
PlayerDatabase selectionDatabase() {
    std::vector<Player> players;
    auto add = [&](const std::string& surname, int country, int bowling, int keeper) {
        const int id = static_cast<int>(players.size());
        players.push_back(makePlayer(id, surname, "Al", country, 0x1, bowling, keeper));
    };
    for (const auto& [prefix, country] : {std::pair{"Ind", 4}, std::pair{"Pak", 16}}) {
        for (int i = 0; i < 11; ++i)
            add(prefix + std::to_string(40 - i), country, i >= 1 && i <= 5 ? 0x2 : 0,
                i == 0 ? 0x11 : 0x10);
        for (int i = 0; i < 3; ++i)
            add(prefix + std::to_string(10 + i), country, 0x8, 0);
    }
    for (int i = 0; i < 12; ++i)
        add("Sri" + std::to_string(50 + i), 64, i < 5 ? 0x1 : 0, i == 11 ? 0x11 : 0x10);
    add("Sri10", 64, 0, 0);
    add(std::string(32, 'Z'), 4, 0x1, 0);
    PlayerDatabase database;
    database.assign(PlayerFile{0, std::move(players)});
    return database;
}

std::vector<std::string> namesOf(const PlayerDatabase& database, std::vector<int> ids) {
    std::vector<std::string> names;
    for (const int id : ids)
        names.push_back(database.findById(id)->displayName());
    return names;
}

// Selects the entries with these texts in the middle list and moves them into the side.
bool moveByHand(TeamSelection& selection, TeamSide side, const std::vector<std::string>& names) {
    selection.playerList().clearSelection();
    for (const auto& name : names)
        selection.playerList().setSelected(selection.playerList().findExact(name), true);
    return selection.moveToTeam(side);
}

std::vector<int> range(int first, int last) {
    std::vector<int> ids;
    for (int id = first; id <= last; ++id)
        ids.push_back(id);
    return ids;
}

class TeamSelectionTest : public ::testing::Test {
protected:
    PlayerDatabase database = selectionDatabase();
    TeamSelection selection{database};
    std::vector<std::string> indianEleven = namesOf(database, range(0, 10));
    std::vector<std::string> pakistaniEleven = namesOf(database, range(14, 24));

    // Both sides ready by hand: the Indian eleven left, the Pakistani eleven right.
    void fillBothSides() {
        ASSERT_TRUE(moveByHand(selection, kLeft, indianEleven));
        ASSERT_TRUE(moveByHand(selection, kRight, pakistaniEleven));
    }
};

TEST_F(TeamSelectionTest, OpensWithDefaultsAndEveryPlayerSorted) {
    EXPECT_EQ(selection.name(kLeft), "India");
    EXPECT_EQ(selection.name(kRight), "Pakistan");
    EXPECT_FALSE(selection.isComputer(kLeft));
    EXPECT_TRUE(selection.isComputer(kRight));
    EXPECT_EQ(selection.countryMask(), 511);
    EXPECT_EQ(selection.listedCount(), database.count());
    const auto& entries = selection.playerList().entries();
    EXPECT_EQ(static_cast<int>(entries.size()), database.count());
    EXPECT_TRUE(std::is_sorted(entries.begin(), entries.end(), ListBoxModel::sortsBefore));
    EXPECT_TRUE(selection.teamList(kLeft).empty());
    EXPECT_TRUE(selection.teamList(kRight).empty());
    EXPECT_FALSE(selection.okEnabled());
}

TEST_F(TeamSelectionTest, MoveThatWouldPassElevenIsRefusedWhole) {
    ASSERT_TRUE(moveByHand(selection, kLeft, namesOf(database, range(0, 8))));
    const auto pool = selection.playerList().entries();
    EXPECT_FALSE(moveByHand(selection, kLeft, namesOf(database, {9, 10, 11})));
    EXPECT_EQ(selection.teamList(kLeft).count(), 9);
    EXPECT_EQ(selection.playerList().entries(), pool);

    EXPECT_TRUE(moveByHand(selection, kLeft, namesOf(database, {10, 9})));
    EXPECT_EQ(selection.teamList(kLeft).count(), 11);
    // Moved in middle-list order, which is alphabetical: "Ind30" before "Ind31".
    EXPECT_EQ(selection.teamList(kLeft).text(9), "Ind30, Al");
    EXPECT_EQ(selection.teamList(kLeft).text(10), "Ind31, Al");
}

TEST_F(TeamSelectionTest, MovingBackSortsIntoThePoolAndKeepsTheSideOrder) {
    ASSERT_TRUE(moveByHand(selection, kLeft, namesOf(database, {0, 1, 2, 3})));
    const auto order = selection.teamList(kLeft).entries(); // Ind37, Ind38, Ind39, Ind40
    selection.teamList(kLeft).select({0, 2});
    selection.moveToPool(kLeft);
    EXPECT_EQ(selection.teamList(kLeft).entries(), (std::vector<std::string>{order[1], order[3]}));
    const auto& pool = selection.playerList().entries();
    EXPECT_EQ(static_cast<int>(pool.size()), database.count() - 2);
    EXPECT_TRUE(std::is_sorted(pool.begin(), pool.end(), ListBoxModel::sortsBefore));
    EXPECT_TRUE(selection.playerList().selection().empty());
}

TEST_F(TeamSelectionTest, OkNeedsTwoDifferentNamesComparedWithCase) {
    fillBothSides();
    EXPECT_TRUE(selection.okEnabled());
    EXPECT_EQ(selection.nameEdited(kRight, "India"), std::nullopt);
    EXPECT_FALSE(selection.okEnabled());
    selection.nameEdited(kRight, "india");
    EXPECT_TRUE(selection.okEnabled());
    selection.nameEdited(kLeft, "");
    EXPECT_FALSE(selection.okEnabled());
}

TEST_F(TeamSelectionTest, OkJudgesOnlyTheElevenItStores) {
    selection.setName(kLeft, "Sri Lanka");
    ASSERT_EQ(selection.selectPredefinedTeam(kLeft), std::nullopt);
    selection.applyFilter(511);
    ASSERT_TRUE(moveByHand(selection, kRight, pakistaniEleven));
    ASSERT_EQ(selection.teamList(kLeft).count(), 12);
    // The only keeper is the twelfth entry: the side could take the field without one.
    EXPECT_FALSE(selection.okEnabled());
    // The hints judge all twelve.
    EXPECT_EQ(selection.balanceHint(kLeft), "The team selection looks good!");

    selection.teamList(kLeft).select({10});
    selection.moveToPool(kLeft);
    EXPECT_TRUE(selection.okEnabled());
}

TEST_F(TeamSelectionTest, EntryThatCannotBeLookedUpFailsTheCheck) {
    ASSERT_TRUE(
        moveByHand(selection, kLeft, namesOf(database, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 41})));
    ASSERT_TRUE(moveByHand(selection, kRight, pakistaniEleven));
    EXPECT_FALSE(selection.okEnabled());
    EXPECT_FALSE(sideIsPlayable(selection.teamList(kLeft).entries(), database));
}

TEST_F(TeamSelectionTest, SelectLoadsThePredefinedTeamInDatabaseOrder) {
    ASSERT_TRUE(moveByHand(selection, kRight, namesOf(database, {40})));
    ASSERT_EQ(selection.selectPredefinedTeam(kLeft), std::nullopt);
    EXPECT_EQ(selection.teamList(kLeft).entries(), indianEleven);
    EXPECT_EQ(selection.countryMask(), 4);
    EXPECT_EQ(selection.playerList().entries(),
              (std::vector<std::string>{"Ind10, Al", "Ind11, Al", "Ind12, Al",
                                        database.findById(41)->displayName()}));
    EXPECT_EQ(selection.teamList(kRight).entries(), namesOf(database, {40}));

    ASSERT_EQ(selection.selectPredefinedTeam(kRight), std::nullopt);
    EXPECT_EQ(selection.teamList(kRight).entries(), pakistaniEleven);
    EXPECT_EQ(selection.playerList().entries(),
              (std::vector<std::string>{"Pak10, Al", "Pak11, Al", "Pak12, Al"}));
    EXPECT_TRUE(selection.okEnabled());
}

TEST_F(TeamSelectionTest, SelectWithAnUnknownNameChangesNothing) {
    ASSERT_TRUE(moveByHand(selection, kLeft, namesOf(database, {0, 1})));
    const auto pool = selection.playerList().entries();
    for (const char* name : {"india", "Atlantis", "India ", ""}) {
        selection.setName(kLeft, name);
        EXPECT_EQ(selection.selectPredefinedTeam(kLeft),
                  (DialogMessage{"You have to select one of the predefined teams", 0}))
            << name;
        EXPECT_EQ(selection.teamList(kLeft).count(), 2);
        EXPECT_EQ(selection.playerList().entries(), pool);
        EXPECT_EQ(selection.countryMask(), 511);
    }
}

TEST_F(TeamSelectionTest, NoPlayerIsEverPlacedTwice) {
    ASSERT_TRUE(moveByHand(selection, kRight, namesOf(database, {0, 40})));
    // The same country for both sides: the left side gets only the players still free, and the
    // user is told who was left out.
    const auto message = selection.selectPredefinedTeam(kLeft);
    ASSERT_TRUE(message.has_value());
    EXPECT_NE(message->text.find(":\r\n" + namesOf(database, {0})[0]), std::string::npos);
    EXPECT_EQ(message->controlId, 0);
    EXPECT_EQ(selection.teamList(kLeft).entries(), namesOf(database, range(1, 10)));

    selection.applyFilter(511);
    std::multiset<std::string> all(selection.playerList().entries().begin(),
                                   selection.playerList().entries().end());
    for (const auto side : {kLeft, kRight})
        all.insert(selection.teamList(side).entries().begin(),
                   selection.teamList(side).entries().end());
    EXPECT_EQ(static_cast<int>(all.size()), database.count());
    EXPECT_EQ(std::set<std::string>(all.begin(), all.end()).size(), all.size());
    EXPECT_EQ(selection.listedCount(), database.count() - 12);
}

TEST_F(TeamSelectionTest, SelectCanOverfillASideAndEveryEntryCanGoBack) {
    selection.setName(kRight, "Sri Lanka");
    ASSERT_EQ(selection.selectPredefinedTeam(kRight), std::nullopt);
    ASSERT_EQ(selection.teamList(kRight).count(), 12);
    EXPECT_FALSE(moveByHand(selection, kRight, {}));
    selection.teamList(kRight).select(range(0, 11));
    selection.moveToPool(kRight);
    EXPECT_TRUE(selection.teamList(kRight).empty());
    EXPECT_EQ(selection.playerList().count(), 13);
}

TEST_F(TeamSelectionTest, ComputerBoxesAreCoupled) {
    selection.toggleComputer();
    EXPECT_TRUE(selection.isComputer(kLeft));
    EXPECT_FALSE(selection.isComputer(kRight));
    selection.toggleComputer();
    EXPECT_FALSE(selection.isComputer(kLeft));
    EXPECT_TRUE(selection.isComputer(kRight));
}

TEST_F(TeamSelectionTest, OverlongNameIsReportedAndNothingIsStored) {
    fillBothSides();
    const std::string longName(17, 'x');
    const DialogMessage leftTooLong{"Please enter no more than 16 characters.",
                                    TeamSelection::kLeftNameBoxId};
    EXPECT_EQ(selection.nameEdited(kLeft, longName), leftTooLong);
    EXPECT_TRUE(selection.okEnabled()); // the check did not run

    Scores scores;
    const auto outcome = selection.accept(scores);
    EXPECT_FALSE(outcome.accepted);
    EXPECT_EQ(outcome.message, leftTooLong);
    EXPECT_EQ(scores.teams[0].name(), "");
    EXPECT_EQ(scores.teams[0].playerAt(0), kNoPlayer);

    const auto leftSide = selection.teamList(kLeft).entries();
    selection.setName(kRight, longName);
    EXPECT_EQ(selection.readControls()->controlId, TeamSelection::kRightNameBoxId);
    EXPECT_EQ(selection.selectPredefinedTeam(kLeft)->controlId, TeamSelection::kRightNameBoxId);
    EXPECT_EQ(selection.teamList(kLeft).entries(), leftSide);

    selection.setName(kRight, std::string(16, 'y'));
    selection.setName(kLeft, "India");
    EXPECT_TRUE(selection.accept(scores).accepted);
    EXPECT_EQ(scores.teams[1].name(), std::string(16, 'y'));
}

TEST_F(TeamSelectionTest, AcceptStoresBothSidesAsListed) {
    Scores scores;
    ASSERT_TRUE(moveByHand(selection, kLeft, namesOf(database, range(0, 9))));
    ASSERT_TRUE(moveByHand(selection, kRight, pakistaniEleven));
    EXPECT_FALSE(selection.accept(scores).accepted);
    EXPECT_EQ(scores.teams[1].playerAt(0), kNoPlayer);

    ASSERT_TRUE(moveByHand(selection, kLeft, namesOf(database, {10})));
    selection.toggleComputer();
    const auto outcome = selection.accept(scores);
    ASSERT_TRUE(outcome.accepted);
    EXPECT_EQ(outcome.message, std::nullopt);
    const auto& left = selection.teamList(kLeft);
    for (int i = 0; i < kTeamSize; ++i) {
        EXPECT_EQ(scores.teams[0].playerAt(i), database.findByDisplayName(left.text(i))->playerId);
        EXPECT_EQ(scores.teams[1].playerAt(i), 14 + 10 - i); // Pak30..Pak40 sorted: ids 24..14
    }
    EXPECT_EQ(scores.teams[0].name(), "India");
    EXPECT_EQ(scores.teams[1].name(), "Pakistan");
    EXPECT_TRUE(scores.teams[0].isComputerControlled());
    EXPECT_FALSE(scores.teams[1].isComputerControlled());

    // Kept in the settings and put back in a fresh dialog: the same sides are stored again.
    std::array<RememberedSide, 2> kept;
    for (int side = 0; side < 2; ++side) {
        const auto parsed = parseRememberedSide(rememberedSideText(scores.teams[side]));
        ASSERT_TRUE(parsed);
        kept[side] = *parsed;
    }
    TeamSelection again{database};
    EXPECT_EQ(again.restoreSides(kept), std::nullopt);
    EXPECT_TRUE(again.isComputer(kLeft));
    Scores restored;
    ASSERT_TRUE(again.accept(restored).accepted);
    EXPECT_EQ(restored.teams, scores.teams);
    EXPECT_EQ(again.playerList().count(), database.count() - 2 * kTeamSize);

    // An id the database no longer holds, and one placed twice, are left out by name.
    kept[0].playerIds[3] = 999;
    kept[1].playerIds[0] = kept[0].playerIds[0];
    const auto message = again.restoreSides(kept);
    ASSERT_TRUE(message);
    EXPECT_NE(message->text.find("player number 999, no longer in the database"),
              std::string::npos);
    EXPECT_NE(message->text.find(again.teamList(kLeft).text(0) + ", placed twice"),
              std::string::npos);
    EXPECT_EQ(again.teamList(kLeft).count(), 10);
    EXPECT_FALSE(again.okEnabled());

    // Text that is not a stored side is refused whole.
    for (const char* bad : {"", "2;1;India", "1;1,2;", "0;1,,2;India", "0;1,x;India", "0;-1;India",
                            "0;1;Seventeen chars!!", "1;0,1,2,3,4,5,6,7,8,9,10,11;A"})
        EXPECT_EQ(parseRememberedSide(bad), std::nullopt) << bad;
    const auto noIds = parseRememberedSide("1;;A;B");
    ASSERT_TRUE(noIds);
    EXPECT_EQ(noIds->name, "A;B");
    EXPECT_TRUE(noIds->playerIds.empty());
}

TEST(TeamSelectionHeadless, SidesAreBuiltCheckedAndStoredWithoutAWindow) {
    const auto database = selectionDatabase();
    const auto sriLanka = predefinedTeam(database, 64);
    ASSERT_EQ(sriLanka.size(), 12u);
    EXPECT_EQ(sriLanka.front(), "Sri50, Al");
    EXPECT_FALSE(sideIsPlayable(sriLanka, database));
    EXPECT_TRUE(predefinedTeam(database, 4 | 16).empty());

    const auto india = predefinedTeam(database, 4);
    EXPECT_TRUE(sideIsPlayable(india, database));
    EXPECT_FALSE(sideIsPlayable({india.begin(), india.end() - 1}, database));

    Team team;
    team.setComputerControlled(1);
    storeSide(team, "Lions", sriLanka, false, database);
    EXPECT_EQ(team.name(), "Lions");
    EXPECT_FALSE(team.isComputerControlled());
    for (int i = 0; i < kTeamSize; ++i)
        EXPECT_EQ(team.playerAt(i), 28 + i);
}

TEST(TeamSelectionHeadless, EveryBundledPredefinedTeamCanPlay) {
    PlayerDatabase database;
    database.assign(test::bundledPlayers());
    for (int k = 0; k < kCountryCount; ++k)
        EXPECT_TRUE(sideIsPlayable(predefinedTeam(database, 1 << k), database)) << k;

    TeamSelection selection(database);
    ASSERT_EQ(selection.selectPredefinedTeam(TeamSide::Left), std::nullopt);
    ASSERT_EQ(selection.selectPredefinedTeam(TeamSide::Right), std::nullopt);
    Scores scores;
    ASSERT_TRUE(selection.accept(scores).accepted);
    std::set<std::int32_t> ids;
    for (const auto& team : scores.teams)
        for (int i = 0; i < kTeamSize; ++i)
            ids.insert(team.playerAt(i));
    EXPECT_EQ(ids.size(), 22u);
    EXPECT_EQ(ids.count(kNoPlayer), 0u);
}

} // namespace
} // namespace quorvel
