#include <gtest/gtest.h>

#include <map>

#include "browser/player_browser.h"
#include "browser/player_filter.h"
#include "support/test_support.h"

namespace quorvel {
namespace {

using test::makePlayer;

PlayerDatabase databaseOf(std::vector<Player> players) {
    PlayerDatabase database;
    database.assign(PlayerFile{0, std::move(players)});
    return database;
}

PlayerDatabase browserDatabase() {
    Player keeper = makePlayer(2, "Rao", "Vikram", 4, 0x100, 0x2, 0x11);
    keeper.battingAverage = 33.333333333333336;
    keeper.runsScored = 2500;
    keeper.highestScore = "112*";
    keeper.oversBowled = 12.3;
    return databaseOf({
        makePlayer(0, "de Silva", "Asanka", 64),
        makePlayer(1, "Ahmed", "Tariq", 16, 0, 0x110),
        keeper,
        makePlayer(3, "Dawes", "Carl", 128, 0, 0x8),
        makePlayer(4, "Rao", "Vik", 4),
    });
}

TEST(ListBoxModel, SortedListIgnoresCaseAndKeepsTheSelectionOnItsEntries) {
    ListBoxModel list(ListBoxModel::Order::SortedNoCase);
    for (const char* name : {"Smithson, Al", "de Silva, Asanka", "Smith, John", "Dawes, Carl"})
        list.add(name);
    list.setSelected(1, true); // "de Silva, Asanka"
    EXPECT_EQ(list.add("DE SILVA, ASANKA"), 1);
    EXPECT_EQ(list.entries(),
              (std::vector<std::string>{"Dawes, Carl", "DE SILVA, ASANKA", "de Silva, Asanka",
                                        "Smith, John", "Smithson, Al"}));
    EXPECT_EQ(list.selection(), std::vector<int>{2});
    EXPECT_EQ(list.findPrefixNoCase("smith"), 3);
    EXPECT_EQ(list.findExact("Smith, john"), -1);
    // Positions outside the list are ignored everywhere.
    list.remove(99);
    list.setSelected(-1, true);
    list.select({7, 4});
    EXPECT_EQ(list.selection(), (std::vector<int>{2, 4}));
    EXPECT_EQ(list.text(5), "");
}

TEST(PlayerFilter, MaskRoundTripsThroughTheNineBoxes) {
    EXPECT_EQ(PlayerFilter(511).resultMask(), 511);
    EXPECT_EQ(PlayerFilter(1023 | 0x10000).resultMask(), 511);

    PlayerFilter none(511);
    for (int k = 0; k < kCountryCount; ++k)
        none.setChecked(k, false);
    EXPECT_EQ(none.resultMask(), 0);

    PlayerFilter two(0);
    two.setChecked(2, true); // India
    two.setChecked(6, true); // Sri Lanka
    two.setChecked(9, true); // no such box
    EXPECT_EQ(two.resultMask(), 68);
    EXPECT_FALSE(two.isChecked(9));
}

TEST(PlayerBrowserTexts, HandStyleAndCountryInWords) {
    EXPECT_EQ(battingHandText(makePlayer(0, "A", "B", 1, 0x101)), "Left Hand Bat");
    EXPECT_EQ(battingHandText(makePlayer(0, "A", "B", 1, 0x1)), "Right hand Bat");
    EXPECT_EQ(bowlingText(makePlayer(0, "A", "B", 1, 0, 0x1, 0x11)), "Wicket Keeper");
    EXPECT_EQ(bowlingText(makePlayer(0, "A", "B", 1, 0, 0x102)), "Left Hand Fast Medium");
    EXPECT_EQ(bowlingText(makePlayer(0, "A", "B", 1, 0, 0x10)), "Right Hand Leg Spin");
    EXPECT_EQ(bowlingText(makePlayer(0, "A", "B", 1, 0, 0x100)), "Left Hand  ");
    EXPECT_EQ(bowlingText(makePlayer(0, "A", "B", 1, 0, 0x3)), "Right Hand  ");
    EXPECT_EQ(bowlingText(makePlayer(0, "A", "B", 1, 0, 0)), " ");
    EXPECT_EQ(countryText(256), "Zimbabwe");
    EXPECT_EQ(countryText(3), std::nullopt);
    EXPECT_EQ(countryText(512), std::nullopt);
}

TEST(PlayerBrowser, OpensWithEveryPlayerSortedAndNothingShown) {
    const auto database = browserDatabase();
    PlayerBrowser browser(database);
    browser.refillPlayerList();
    EXPECT_EQ(browser.playerList().entries(),
              (std::vector<std::string>{"Ahmed, Tariq", "Dawes, Carl", "de Silva, Asanka",
                                        "Rao, Vik", "Rao, Vikram"}));
    EXPECT_EQ(browser.listedCount(), 5);
    EXPECT_TRUE(browser.playerList().selection().empty());
    EXPECT_EQ(browser.controlText(1006), "0");
    EXPECT_EQ(browser.controlText(1011), "0");
    EXPECT_EQ(browser.controlText(PlayerBrowser::kFullNameId), "");
}

TEST(PlayerBrowser, PreselectionShowsThePlayerAtOnce) {
    const auto database = browserDatabase();
    PlayerBrowser browser(database);
    browser.preselectPlayer("Rao, Vikram");
    browser.refillPlayerList();
    EXPECT_EQ(browser.playerList().selection(), std::vector<int>{4});
    EXPECT_EQ(browser.fullName(), "Vikram Rao");
    EXPECT_EQ(browser.countryText(), "India");
    EXPECT_EQ(browser.battingHandText(), "Left Hand Bat");
    EXPECT_EQ(browser.bowlingText(), "Wicket Keeper");
    EXPECT_EQ(browser.shownPlayer(), database.players()[2]);
    EXPECT_EQ(browser.controlText(1011), "33.3333333333333");
    EXPECT_EQ(browser.controlText(1009), "2500");
    EXPECT_EQ(browser.controlText(1010), "112*");
    EXPECT_EQ(browser.controlText(1014), "12.3");
}

TEST(PlayerBrowser, PreselectionPrefersTheEntryOfExactlyThatName) {
    const auto database = databaseOf(
        {makePlayer(0, "Rao", "vik"), makePlayer(1, "Rao", "Vik"), makePlayer(2, "Rao", "Vikram")});
    PlayerBrowser browser(database);
    browser.preselectPlayer("Rao, vik");
    browser.refillPlayerList();
    EXPECT_EQ(browser.shownPlayer().playerId, 0);

    PlayerBrowser byPrefix(database);
    byPrefix.preselectPlayer("rao, vikr");
    byPrefix.refillPlayerList();
    EXPECT_EQ(byPrefix.shownPlayer().playerId, 2);
}

TEST(PlayerBrowser, FilterThatDropsTheShownPlayerKeepsHisFigures) {
    const auto database = browserDatabase();
    PlayerBrowser browser(database);
    browser.preselectPlayer("Rao, Vikram");
    browser.refillPlayerList();

    browser.applyFilter(16 | 128);
    EXPECT_EQ(browser.playerList().entries(),
              (std::vector<std::string>{"Ahmed, Tariq", "Dawes, Carl"}));
    EXPECT_TRUE(browser.playerList().selection().empty());
    EXPECT_EQ(browser.fullName(), "Vikram Rao");

    browser.selectEntry(0);
    EXPECT_EQ(browser.bowlingText(), "Left Hand Leg Spin");
    EXPECT_EQ(browser.countryText(), "Pakistan");
    browser.selectEntry(5); // outside the list
    EXPECT_EQ(browser.fullName(), "Tariq Ahmed");

    browser.applyFilter(0);
    EXPECT_TRUE(browser.playerList().empty());
    EXPECT_EQ(browser.listedCount(), 0);
    EXPECT_EQ(browser.fullName(), "Tariq Ahmed");
}

TEST(PlayerBrowser, UnknownCountryLeavesTheCountryTextAsItWas) {
    const auto database =
        databaseOf({makePlayer(0, "Ames", "Bo", 2), makePlayer(1, "Cole", "Di", 6)});
    PlayerBrowser browser(database);
    browser.refillPlayerList();
    browser.selectEntry(0);
    browser.selectEntry(1);
    EXPECT_EQ(browser.fullName(), "Di Cole");
    EXPECT_EQ(browser.countryText(), "England");
}

// The boxes' texts as the dialog would hand them back, with some boxes overwritten.
std::function<std::string(int)> typed(const PlayerBrowser& browser,
                                      std::map<int, std::string> edits) {
    return [&browser, edits](int id) {
        const auto it = edits.find(id);
        return it != edits.end() ? it->second : browser.controlText(id);
    };
}

TEST(PlayerBrowser, ReadBackStopsAtTheFirstBadBoxInReadOrder) {
    const auto database = browserDatabase();
    PlayerBrowser browser(database);
    browser.preselectPlayer("Rao, Vikram");
    browser.refillPlayerList();
    EXPECT_EQ(browser.readBack(typed(browser, {})), std::nullopt);

    EXPECT_EQ(browser.readBack(typed(browser, {{1009, "abc"}})),
              (DialogMessage{"Please enter an integer.", 1009}));
    // "100" (1012) is read before "R" (1009).
    EXPECT_EQ(browser.readBack(typed(browser, {{1009, "abc"}, {1012, "51"}})),
              (DialogMessage{"Please enter an integer between 0 and 50.", 1012}));
    EXPECT_EQ(browser.readBack(typed(browser, {{1014, "5000.5"}})),
              (DialogMessage{"Please enter a number between 0 and 5000.", 1014}));
    EXPECT_EQ(browser.readBack(typed(browser, {{1021, "fast"}, {1010, "123456789"}})),
              (DialogMessage{"Please enter a number.", 1021}));
    EXPECT_EQ(browser.readBack(typed(browser, {{1010, "123456789"}, {1016, "20001"}})),
              (DialogMessage{"Please enter no more than 8 characters.", 1010}));
    EXPECT_EQ(browser.readBack(typed(browser, {{1016, "20001"}})),
              (DialogMessage{"Please enter an integer between 0 and 20000.", 1016}));
    EXPECT_EQ(
        browser.readBack(typed(browser, {{PlayerBrowser::kCountryId, std::string(17, 'x')}})),
        (DialogMessage{"Please enter no more than 16 characters.", PlayerBrowser::kCountryId}));
    // What was typed is not kept.
    EXPECT_EQ(browser.controlText(1009), "2500");
}

} // namespace
} // namespace quorvel
