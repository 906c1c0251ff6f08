#pragma once
// A tournament of the nine countries' predefined elevens: a round robin of every pair once, in
// nine rounds of four matches where every country plays at most once and sits out one round,
// semi-finals of 1st v 4th and 2nd v 3rd, and a final. It keeps the fixtures, the results as
// they come in, the table and the leaders; it plays nothing itself.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "records/innings.h"
#include "records/match_outcome.h"
#include "records/player.h"

namespace quorvel {

constexpr int kTournamentSides = kCountryCount;
constexpr int kRoundRobinMatches = kTournamentSides * (kTournamentSides - 1) / 2;
constexpr int kTournamentMatches = kRoundRobinMatches + 3;
constexpr int kRoundRobinRounds = kTournamentSides;
constexpr int kMatchesPerRound = kTournamentSides / 2;

enum class Stage : std::int32_t { RoundRobin, SemiFinal, Final };

// One match to play: sides[0] is the left (the user's) side, sides[1] the right. Sides are
// country indexes 0..8 in country-code order.
struct Fixture {
    Stage stage = Stage::RoundRobin;
    std::array<int, 2> sides{};
};

// What the leaders need of one player's part in one innings.
struct BatterLine {
    std::int32_t playerId = kNoPlayer;
    std::int32_t runs = 0;
    std::int32_t balls = 0;
    bool notOut = false;
};
struct BowlerLine {
    std::int32_t playerId = kNoPlayer;
    std::int32_t wickets = 0;
    std::int32_t runs = 0;
    std::int32_t balls = 0;
};

struct InningsTally {
    int side = 0; // country index of the batting side
    std::int32_t runs = 0;
    std::int32_t wickets = 0;
    std::int32_t balls = 0; // legal deliveries faced
    std::vector<BatterLine> batters;
    std::vector<BowlerLine> bowlers;
};

// A finished match: innings[0] is the first innings.
struct MatchResult {
    Fixture fixture;
    std::uint32_t seed = 0;
    int tossWinner = 0; // country index
    std::array<InningsTally, 2> innings{};
};

constexpr int kNoSide = -1;

// Who won on the field, and by how much.
MatchOutcome outcomeOf(const MatchResult& result);
// The side that won on the field, or kNoSide for a tie.
int fieldWinner(const MatchResult& result);
// "India won by 45 runs", "Sri Lanka won by 3 wickets" or "Match tied".
std::string resultText(const MatchResult& result);
// "India 251/7 (50.0 overs)"; an all-out side shows its total alone.
std::string inningsText(const InningsTally& innings);

struct TableRow {
    int side = 0;
    int played = 0, won = 0, lost = 0, tied = 0, points = 0;
    std::int64_t runsFor = 0, ballsFaced = 0, runsAgainst = 0, ballsBowled = 0;
    // Runs an over scored minus runs an over conceded; 0 before any ball.
    double netRunRate() const;
};

// The table of the given round-robin results, best first: points (2 a win, 1 a tie), then net
// run rate (a side bowled out counts as facing the full 50 overs), then the matches between the
// sides still level, then the lower country code.
std::vector<TableRow> tableOf(const std::vector<MatchResult>& results);

struct LeaderLine {
    std::int32_t playerId = kNoPlayer;
    int side = 0;
    int primary = 0;   // runs, wickets, an innings' runs, or a spell's wickets
    int secondary = 0; // balls faced for a score, runs conceded for a spell
    bool notOut = false;
};
struct Leaders {
    std::vector<LeaderLine> mostRuns, mostWickets, highestScores, bestBowling;
};
// The best `count` of each list over all the results, knockouts included.
Leaders leadersOf(const std::vector<MatchResult>& results, std::size_t count = 5);

// The order of the round-robin matches: in rounds, or pair by pair (0 v 1, 0 v 2, ... 7 v 8) as
// tournaments were saved before they went in rounds.
enum class FixtureOrder { Rounds, Pairs };

// The 36 round-robin fixtures in that order. In rounds (the circle method): round r gives
// country r its bye and pairs r + k with r - k (mod 9) for k = 1..4, the lower code on the left.
std::vector<Fixture> roundRobinFixtures(FixtureOrder order = FixtureOrder::Rounds);

// The seed of match `number` (0-based) of a tournament played from `seed`.
std::uint32_t matchSeed(std::uint32_t seed, int number);

class Tournament {
public:
    explicit Tournament(std::uint32_t seed = 0, int userSide = kNoSide,
                        FixtureOrder order = FixtureOrder::Rounds);

    std::uint32_t seed() const { return seed_; }
    int userSide() const { return userSide_; }
    const std::vector<MatchResult>& results() const { return results_; }

    // Every fixture known so far: the round robin, then the knockouts once their sides are known.
    std::vector<Fixture> fixtures() const;
    // The next match to play, or none when the champion is known.
    std::optional<Fixture> nextFixture() const;
    std::uint32_t nextSeed() const { return matchSeed(seed_, static_cast<int>(results_.size())); }
    // Adds the result of nextFixture(); false (nothing changed) when it is not that match.
    bool record(const MatchResult& result);

    std::vector<TableRow> table() const;
    // The side through from a knockout: the winner, or for a tie the side higher in the table.
    int knockoutWinner(const MatchResult& result) const;
    std::optional<int> champion() const;

    // Rebuilds a tournament from saved parts; none when the results are not its fixtures in order
    // (in rounds, or else pair by pair as older files hold them).
    static std::optional<Tournament> restore(std::uint32_t seed, int userSide,
                                             const std::vector<MatchResult>& results);

private:
    std::vector<MatchResult> roundRobinResults() const;

    std::uint32_t seed_;
    int userSide_;
    FixtureOrder order_;
    std::vector<MatchResult> results_;
};

} // namespace quorvel
