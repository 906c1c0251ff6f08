#include <gtest/gtest.h>

#include <map>
#include <set>

#include "records/player_check.h"
#include "records/player_source.h"
#include "support/test_support.h"

namespace quorvel {
namespace {

// The tool's standard output and standard error together.
struct RunResult {
    int status = -1;
    std::string output;
};

RunResult runTool(const std::string& arguments) {
    const test::CommandResult result =
        test::runCommand(std::string(QUORVEL_PLAYERS_TOOL) + " " + arguments);
    return {result.status, result.out + result.err};
}

TEST(PlayersTool, BundledDatabaseChecksAndRoundTrips) {
    const auto checked = runTool(std::string("check ") + QUORVEL_PLAYERS_DAT);
    EXPECT_EQ(checked.status, 0) << checked.output;

    const auto dumped = runTool(std::string("dump ") + QUORVEL_PLAYERS_DAT);
    ASSERT_EQ(dumped.status, 0);
    EXPECT_EQ(dumped.output, test::readBytes(QUORVEL_PLAYERS_CSV));

    test::ScratchDir dir;
    test::writeBytes(dir.file("dumped.csv"), dumped.output);
    ASSERT_EQ(runTool("build " + dir.file("dumped.csv") + " " + dir.file("again.dat")).status, 0);
    EXPECT_EQ(test::readBytes(dir.file("again.dat")), test::readBytes(QUORVEL_PLAYERS_DAT));
}

TEST(PlayersTool, ReportsTheLineOrRecordAndFieldOfEachProblem) {
    test::ScratchDir dir;
    const std::string source =
        std::string(kPlayerSourceHeader) + "leadingValue,0\n" + std::string(kPlayerSourceColumns) +
        "\n" +
        "0,Ames,Rob,Australia,0x1,0x0,0x10,1,1,0,5,5,5,0,0,0,0,0,0,,0,0,0,0,0\n"
        "1,Boyd,Tim,3,0x1,0x0,0x10,1,1,0,5,5,5,0,0,0,0,0,0,,0,0,0,0,0\n";
    test::writeBytes(dir.file("bad.csv"), source);
    auto result = runTool("build " + dir.file("bad.csv") + " " + dir.file("out.dat"));
    EXPECT_NE(result.status, 0);
    EXPECT_NE(result.output.find("record 1, field country"), std::string::npos) << result.output;

    const std::string unparsable = std::string("leadingValue,0\n") +
                                   std::string(kPlayerSourceColumns) + "\n0,Ames,Rob,Australia,x\n";
    test::writeBytes(dir.file("short.csv"), unparsable);
    result = runTool("build " + dir.file("short.csv") + " " + dir.file("out.dat"));
    EXPECT_NE(result.status, 0);
    EXPECT_NE(result.output.find("line 3"), std::string::npos) << result.output;

    PlayerFile file{0,
                    {test::makePlayer(0, "Ames", "Rob", 1), test::makePlayer(3, "Boyd", "Tim", 1)}};
    test::writeBytes(dir.file("ids.dat"), encodePlayerFile(file));
    result = runTool("check " + dir.file("ids.dat"));
    EXPECT_NE(result.status, 0);
    EXPECT_NE(result.output.find("record 1, field playerId"), std::string::npos) << result.output;
}

TEST(PlayerSource, QuotesAndNumbersRoundTrip) {
    Player odd = test::makePlayer(0, "O'Neil, Jr", "Sam \"Ace\"", 256, 0x109, 0x110, 0x11);
    odd.battingAverage = 0.1 + 0.2; // needs every digit to round-trip
    odd.oversBowled = 412.3;
    odd.highestScore = " 99*";
    // Line ends inside texts: the row goes on over the next lines.
    Player lines = test::makePlayer(1, "Two\nLines", "\r", 1);
    lines.bestBowling = "\n\r";
    const PlayerFile file{-4, {odd, lines}};
    ASSERT_TRUE(checkPlayerFile(encodePlayerFile(file)).empty());
    EXPECT_EQ(parsePlayerSource(formatPlayerSource(file)), file);
    EXPECT_THROW(parsePlayerSource(formatPlayerSource(file) + "\"2,"), PlayerSourceError);
}

// The bundled database is what a new user plays with: every country must field a full,
// balanced predefined eleven and have a squad to pick reserves from.
TEST(BundledPlayers, EveryCountryHasASquadAndABalancedEleven) {
    const PlayerFile file = test::bundledPlayers();
    std::map<int, int> squad;
    std::map<int, std::vector<const Player*>> eleven;
    std::set<std::string> names;
    for (const auto& player : file.players) {
        ++squad[player.country];
        if (player.isPredefined())
            eleven[player.country].push_back(&player);
        EXPECT_TRUE(names.insert(player.displayName()).second) << player.displayName();
    }
    for (int i = 0; i < kCountryCount; ++i) {
        const int code = 1 << i;
        EXPECT_GE(squad[code], 15) << countryNameAt(i);
        const auto& side = eleven[code];
        ASSERT_EQ(side.size(), 11u) << countryNameAt(i);
        int keepers = 0, bowlers = 0, openingBowlers = 0, openers = 0;
        for (const Player* player : side) {
            keepers += player->isWicketKeeper();
            bowlers += player->isBowler();
            openingBowlers += player->isPace();
            openers += (player->battingFlags & batting::kOpener) != 0;
        }
        EXPECT_EQ(keepers, 1) << countryNameAt(i);
        EXPECT_GE(bowlers, 5) << countryNameAt(i);
        EXPECT_GE(openingBowlers, 2) << countryNameAt(i);
        EXPECT_GE(openers, 2) << countryNameAt(i);
    }
}

} // namespace
} // namespace quorvel
