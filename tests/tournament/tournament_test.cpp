#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "support/test_support.h"
#include "tournament/tournament.h"
#include "tournament/tournament_file.h"
#include "tournament/tournament_report.h"

namespace quorvel {
namespace {

// A round-robin or knockout result: the first side's innings, then the second's.
MatchResult played(int first, int runs1, int wickets1, int balls1, int second, int runs2,
                   int wickets2, int balls2, Stage stage = Stage::RoundRobin) {
    MatchResult result;
    result.fixture = {stage, {std::min(first, second), std::max(first, second)}};
    result.innings[0] = {first, runs1, wickets1, balls1, {}, {}};
    result.innings[1] = {second, runs2, wickets2, balls2, {}, {}};
    return result;
}

std::vector<int> order(const std::vector<TableRow>& rows) {
    std::vector<int> sides;
    for (const TableRow& row : rows)
        sides.push_back(row.side);
    return sides;
}

TEST(TournamentTable, PointsRunRateAndTieBreaks) {
    // 5 beats 2, 2 beats 7 and 8 beats 5 by the same figures: 5 and 2 are level on points and
    // rate, and 5 goes above 2 on their match despite its higher code. Sides without a match
    // keep code order; 7 lost its only match and is last.
    std::vector<MatchResult> results = {played(5, 200, 5, 300, 2, 150, 10, 300),
                                        played(2, 200, 5, 300, 7, 150, 10, 300),
                                        played(8, 200, 5, 300, 5, 150, 10, 300)};
    std::vector<TableRow> rows = tableOf(results);
    EXPECT_EQ(order(rows), (std::vector<int>{8, 5, 2, 0, 1, 3, 4, 6, 7}));
    EXPECT_EQ(rows[1].won, 1);
    EXPECT_EQ(rows[1].lost, 1);
    EXPECT_EQ(rows[1].points, 2);
    EXPECT_DOUBLE_EQ(rows[1].netRunRate(), 0.0);

    // Bowled out in 40 overs counts as 50 faced: 200 in 50 against 150 in 50 is +1.0, where the
    // overs actually bowled would give 0. A tie is a point each.
    results = {played(0, 200, 10, 240, 1, 150, 10, 180), played(3, 220, 6, 300, 4, 220, 9, 300)};
    rows = tableOf(results);
    EXPECT_EQ(order(rows)[0], 0);
    EXPECT_DOUBLE_EQ(rows[0].netRunRate(), 1.0);
    EXPECT_EQ(rows[1].side, 3);
    EXPECT_EQ(rows[1].points, 1);
    EXPECT_EQ(rows[1].tied, 1);
    EXPECT_EQ(rows[2].side, 4);
    EXPECT_EQ(rows.back().side, 1);
    EXPECT_DOUBLE_EQ(rows.back().netRunRate(), -1.0);
}

// Three sides level on points (3) and net run rate (0): India beat England, and Australia tied
// with both. Among themselves India has 3 points, Australia 2, England 1; were a win worth what
// a tie is, Australia would go above India on its lower code.
TEST(TournamentTable, SidesLevelOnPointsAndRateGoByTheirMatchesAmongThemselves) {
    const std::vector<MatchResult> results = {
        played(2, 201, 5, 300, 1, 200, 5, 300), played(1, 200, 5, 300, 0, 200, 5, 300),
        played(0, 200, 5, 300, 2, 200, 5, 300), played(1, 201, 5, 300, 3, 200, 5, 300),
        played(2, 200, 5, 300, 4, 201, 5, 300), played(0, 200, 5, 300, 5, 200, 5, 300)};
    const std::vector<TableRow> rows = tableOf(results);
    const std::vector<int> sides = order(rows);
    EXPECT_EQ(std::vector<int>(sides.begin(), sides.begin() + 3), (std::vector<int>{2, 0, 1}));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(rows[i].points, 3);
        EXPECT_DOUBLE_EQ(rows[i].netRunRate(), 0.0);
    }
}

// Nine rounds of four: every country at most once a round and one bye each, every pair once.
TEST(TournamentTable, TheRoundRobinGoesInRounds) {
    const std::vector<Fixture> fixtures = roundRobinFixtures();
    ASSERT_EQ(fixtures.size(), static_cast<std::size_t>(kRoundRobinMatches));
    std::set<std::pair<int, int>> pairs;
    std::array<int, kTournamentSides> byes{};
    for (int round = 0; round < kRoundRobinRounds; ++round) {
        std::set<int> playing;
        for (int k = 0; k < kMatchesPerRound; ++k) {
            const Fixture& fixture = fixtures[round * kMatchesPerRound + k];
            EXPECT_LT(fixture.sides[0], fixture.sides[1]);
            EXPECT_TRUE(playing.insert(fixture.sides[0]).second) << round;
            EXPECT_TRUE(playing.insert(fixture.sides[1]).second) << round;
            pairs.insert({fixture.sides[0], fixture.sides[1]});
        }
        for (int side = 0; side < kTournamentSides; ++side)
            byes[side] += playing.count(side) == 0 ? 1 : 0;
    }
    EXPECT_EQ(pairs.size(), static_cast<std::size_t>(kRoundRobinMatches));
    EXPECT_EQ(byes, (std::array<int, kTournamentSides>{1, 1, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(Tournament().nextFixture()->sides, fixtures[0].sides);
}

TEST(TournamentTable, KnockoutsFollowTheTableAndATieGoesToTheHigherSide) {
    Tournament tournament(7);
    EXPECT_FALSE(tournament.record(played(1, 250, 5, 300, 2, 100, 10, 200)));
    // The lower code always wins by more: the table is code order.
    for (const Fixture& fixture : roundRobinFixtures()) {
        const auto [a, b] = fixture.sides;
        ASSERT_TRUE(tournament.record(played(a, 250, 5, 300, b, 200 - 10 * a, 10, 280)));
    }
    std::optional<Fixture> next = tournament.nextFixture();
    ASSERT_TRUE(next);
    EXPECT_EQ(next->stage, Stage::SemiFinal);
    EXPECT_EQ(next->sides, (std::array<int, 2>{0, 3}));
    MatchResult semi = played(3, 240, 8, 300, 0, 240, 9, 300, Stage::SemiFinal);
    semi.fixture.sides = {0, 3};
    ASSERT_TRUE(tournament.record(semi));
    EXPECT_EQ(resultText(semi), "Match tied");
    semi = played(1, 180, 10, 250, 2, 181, 4, 230, Stage::SemiFinal);
    semi.fixture.sides = {1, 2};
    ASSERT_TRUE(tournament.record(semi));
    EXPECT_EQ(resultText(semi), "India won by 6 wickets");
    next = tournament.nextFixture();
    ASSERT_TRUE(next);
    EXPECT_EQ(next->stage, Stage::Final);
    EXPECT_EQ(next->sides, (std::array<int, 2>{0, 2}));
    EXPECT_FALSE(tournament.champion());
    MatchResult final = played(2, 270, 4, 300, 0, 269, 10, 297, Stage::Final);
    final.fixture.sides = {0, 2};
    final.innings[0].batters = {{17, 120, 110, true}, {18, 60, 70, false}};
    final.innings[1].bowlers = {{17, 2, 40, 60}};
    ASSERT_TRUE(tournament.record(final));
    EXPECT_EQ(tournament.champion(), 2);
    EXPECT_FALSE(tournament.nextFixture());

    const Leaders leaders = leadersOf(tournament.results(), 1);
    ASSERT_EQ(leaders.mostRuns.size(), 1u);
    EXPECT_EQ(leaders.mostRuns[0].playerId, 17);
    EXPECT_EQ(leaders.bestBowling[0].side, 2);
    EXPECT_NE(matchSeed(7, 0), matchSeed(7, 1));
    EXPECT_NE(matchSeed(7, 0), matchSeed(8, 0));

    EXPECT_TRUE(Tournament::restore(7, 2, tournament.results()));
    // A tournament saved pair by pair, before the round robin went in rounds, opens and goes on.
    std::vector<MatchResult> byPairs;
    for (const Fixture& fixture : roundRobinFixtures(FixtureOrder::Pairs))
        byPairs.push_back(played(fixture.sides[1], 200, 5, 300, fixture.sides[0], 100, 10, 300));
    byPairs.resize(20);
    const auto older = Tournament::restore(7, 2, byPairs);
    ASSERT_TRUE(older);
    EXPECT_EQ(older->nextFixture()->sides, (std::array<int, 2>{2, 8}));
    std::vector<MatchResult> shuffled = tournament.results();
    std::swap(shuffled[0], shuffled[1]);
    EXPECT_FALSE(Tournament::restore(7, 2, shuffled));

    // Saved and opened again; a cut-off, foreign or later-version file is refused with the
    // tournament in hand untouched.
    test::ScratchDir dir;
    const std::string path = dir.file("cup.quot");
    ASSERT_FALSE(writeTournamentFile(path, tournament));
    Tournament opened;
    ASSERT_FALSE(readTournamentFile(path, opened));
    EXPECT_EQ(encodeTournament(opened), encodeTournament(tournament));
    const std::string bytes = encodeTournament(tournament);
    std::string later = bytes;
    later[kTournamentMagic.size()] = 2;
    for (const std::string& bad : {bytes.substr(0, bytes.size() - 1), bytes + "x", later,
                                   std::string("QUORVEL match file")}) {
        test::writeBytes(path, bad);
        const auto error = readTournamentFile(path, opened);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->kind, FileErrorKind::BadFormat);
        EXPECT_EQ(encodeTournament(opened), bytes);
    }
}

} // namespace
} // namespace quorvel
