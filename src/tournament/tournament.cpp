#include "tournament/tournament.h"

#include <algorithm>
#include <map>

#include "reports/match_stats.h"

namespace quorvel {

namespace {

constexpr int kFullInningsBalls = 50 * 6;

std::string oversText(int balls) {
    return std::to_string(balls / 6) + "." + std::to_string(balls % 6);
}

// Net run rates compared exactly: a/b - c/d as one fraction over 6-ball overs.
struct Rate {
    std::int64_t numerator = 0;
    std::int64_t denominator = 1;
};

Rate netRate(const TableRow& row) {
    if (row.ballsFaced == 0 || row.ballsBowled == 0)
        return {};
    return {row.runsFor * row.ballsBowled - row.runsAgainst * row.ballsFaced,
            row.ballsFaced * row.ballsBowled};
}

int compareRates(const Rate& a, const Rate& b) {
    const std::int64_t left = a.numerator * b.denominator;
    const std::int64_t right = b.numerator * a.denominator;
    return left < right ? -1 : left > right ? 1 : 0;
}

} // namespace

MatchOutcome outcomeOf(const MatchResult& result) {
    const auto& [first, second] = result.innings;
    return matchOutcome(first.runs, second.runs, second.wickets);
}

int fieldWinner(const MatchResult& result) {
    switch (outcomeOf(result).winner) {
    case Winner::FirstBatting:
        return result.innings[0].side;
    case Winner::SecondBatting:
        return result.innings[1].side;
    case Winner::Tie:
        break;
    }
    return kNoSide;
}

std::string inningsText(const InningsTally& innings) {
    std::string text =
        std::string(countryNameAt(innings.side)) + " " + std::to_string(innings.runs);
    if (innings.wickets < kWicketsPerInnings)
        text += "/" + std::to_string(innings.wickets);
    return text + " (" + oversText(innings.balls) + " overs)";
}

std::string resultText(const MatchResult& result) {
    const auto& [first, second] = result.innings;
    return outcomeText(outcomeOf(result), std::string(countryNameAt(first.side)),
                       std::string(countryNameAt(second.side)));
}

double TableRow::netRunRate() const {
    if (ballsFaced == 0 || ballsBowled == 0)
        return 0;
    return 6.0 * static_cast<double>(runsFor) / static_cast<double>(ballsFaced) -
           6.0 * static_cast<double>(runsAgainst) / static_cast<double>(ballsBowled);
}

std::vector<TableRow> tableOf(const std::vector<MatchResult>& results) {
    std::vector<TableRow> rows(kTournamentSides);
    for (int side = 0; side < kTournamentSides; ++side)
        rows[side].side = side;
    for (const MatchResult& result : results) {
        const int winner = fieldWinner(result);
        for (int k = 0; k < 2; ++k) {
            const InningsTally& batting = result.innings[k];
            const InningsTally& bowling = result.innings[1 - k];
            TableRow& row = rows[batting.side];
            ++row.played;
            if (winner == kNoSide) {
                ++row.tied;
                row.points += 1;
            } else if (winner == batting.side) {
                ++row.won;
                row.points += 2;
            } else {
                ++row.lost;
            }
            // A side bowled out is taken to have faced its full 50 overs.
            row.runsFor += batting.runs;
            row.ballsFaced +=
                batting.wickets >= kWicketsPerInnings ? kFullInningsBalls : batting.balls;
            row.runsAgainst += bowling.runs;
            row.ballsBowled +=
                bowling.wickets >= kWicketsPerInnings ? kFullInningsBalls : bowling.balls;
        }
    }
    std::sort(rows.begin(), rows.end(), [](const TableRow& a, const TableRow& b) {
        if (a.points != b.points)
            return a.points > b.points;
        if (const int rate = compareRates(netRate(a), netRate(b)); rate != 0)
            return rate > 0;
        return a.side < b.side;
    });
    // Sides still level on points and rate are ordered by the points of the matches among
    // themselves, the lower country code last of all.
    for (std::size_t start = 0; start < rows.size();) {
        std::size_t end = start + 1;
        while (end < rows.size() && rows[end].points == rows[start].points &&
               compareRates(netRate(rows[end]), netRate(rows[start])) == 0)
            ++end;
        if (end - start > 1) {
            std::map<int, int> among;
            auto inGroup = [&](int side) {
                return std::any_of(rows.begin() + start, rows.begin() + end,
                                   [side](const TableRow& row) { return row.side == side; });
            };
            for (const MatchResult& result : results) {
                const int a = result.innings[0].side, b = result.innings[1].side;
                if (!inGroup(a) || !inGroup(b))
                    continue;
                const int winner = fieldWinner(result);
                if (winner == kNoSide) {
                    ++among[a];
                    ++among[b];
                } else {
                    among[winner] += 2;
                }
            }
            std::stable_sort(rows.begin() + start, rows.begin() + end,
                             [&among](const TableRow& a, const TableRow& b) {
                                 return among[a.side] > among[b.side];
                             });
        }
        start = end;
    }
    return rows;
}

Leaders leadersOf(const std::vector<MatchResult>& results, std::size_t count) {
    std::map<std::int32_t, LeaderLine> runs, wickets;
    Leaders leaders;
    for (const MatchResult& result : results)
        for (int k = 0; k < 2; ++k) {
            const InningsTally& innings = result.innings[k];
            for (const BatterLine& line : innings.batters) {
                LeaderLine& total = runs[line.playerId];
                total.playerId = line.playerId;
                total.side = innings.side;
                total.primary += line.runs;
                total.secondary += line.balls;
                leaders.highestScores.push_back(
                    {line.playerId, innings.side, line.runs, line.balls, line.notOut});
            }
            const int fielding = result.innings[1 - k].side;
            for (const BowlerLine& line : innings.bowlers) {
                LeaderLine& total = wickets[line.playerId];
                total.playerId = line.playerId;
                total.side = fielding;
                total.primary += line.wickets;
                total.secondary += line.runs;
                leaders.bestBowling.push_back(
                    {line.playerId, fielding, line.wickets, line.runs, false});
            }
        }
    for (const auto& [id, line] : runs)
        leaders.mostRuns.push_back(line);
    for (const auto& [id, line] : wickets)
        leaders.mostWickets.push_back(line);
    // More of the first figure is better; the runs of a score's balls, fewer of the second.
    auto keepBest = [count](std::vector<LeaderLine>& list, bool fewerSecondIsBetter) {
        std::stable_sort(list.begin(), list.end(), [=](const LeaderLine& a, const LeaderLine& b) {
            if (a.primary != b.primary)
                return a.primary > b.primary;
            if (a.secondary != b.secondary)
                return fewerSecondIsBetter ? a.secondary < b.secondary : a.secondary > b.secondary;
            return a.playerId < b.playerId;
        });
        if (list.size() > count)
            list.resize(count);
    };
    keepBest(leaders.mostRuns, true);
    keepBest(leaders.mostWickets, true);
    keepBest(leaders.highestScores, true);
    keepBest(leaders.bestBowling, true);
    return leaders;
}

std::vector<Fixture> roundRobinFixtures(FixtureOrder order) {
    std::vector<Fixture> list;
    const auto add = [&list](int a, int b) {
        list.push_back({Stage::RoundRobin, {std::min(a, b), std::max(a, b)}});
    };
    if (order == FixtureOrder::Pairs) {
        for (int a = 0; a < kTournamentSides; ++a)
            for (int b = a + 1; b < kTournamentSides; ++b)
                add(a, b);
        return list;
    }
    for (int round = 0; round < kRoundRobinRounds; ++round)
        for (int k = 1; k <= kMatchesPerRound; ++k)
            add((round + k) % kTournamentSides, (round - k + kTournamentSides) % kTournamentSides);
    return list;
}

std::uint32_t matchSeed(std::uint32_t seed, int number) {
    // A mixing step, so that neighbouring tournaments share no matches.
    std::uint64_t z =
        (static_cast<std::uint64_t>(seed) << 32 | static_cast<std::uint32_t>(number)) +
        0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 32);
}

Tournament::Tournament(std::uint32_t seed, int userSide, FixtureOrder order)
    : seed_(seed), userSide_(userSide), order_(order) {}

std::vector<MatchResult> Tournament::roundRobinResults() const {
    const auto end =
        results_.begin() +
        std::min<std::ptrdiff_t>(static_cast<std::ptrdiff_t>(results_.size()), kRoundRobinMatches);
    return std::vector<MatchResult>(results_.begin(), end);
}

std::vector<TableRow> Tournament::table() const { return tableOf(roundRobinResults()); }

int Tournament::knockoutWinner(const MatchResult& result) const {
    const int winner = fieldWinner(result);
    if (winner != kNoSide)
        return winner;
    for (const TableRow& row : table())
        if (row.side == result.innings[0].side || row.side == result.innings[1].side)
            return row.side;
    return kNoSide;
}

std::vector<Fixture> Tournament::fixtures() const {
    std::vector<Fixture> list = roundRobinFixtures(order_);
    if (results_.size() < static_cast<std::size_t>(kRoundRobinMatches))
        return list;
    const std::vector<TableRow> rows = table();
    list.push_back({Stage::SemiFinal, {rows[0].side, rows[3].side}});
    list.push_back({Stage::SemiFinal, {rows[1].side, rows[2].side}});
    if (results_.size() >= static_cast<std::size_t>(kRoundRobinMatches + 2))
        list.push_back({Stage::Final,
                        {knockoutWinner(results_[kRoundRobinMatches]),
                         knockoutWinner(results_[kRoundRobinMatches + 1])}});
    return list;
}

std::optional<Fixture> Tournament::nextFixture() const {
    const std::vector<Fixture> list = fixtures();
    if (results_.size() >= list.size())
        return std::nullopt;
    return list[results_.size()];
}

bool Tournament::record(const MatchResult& result) {
    const std::optional<Fixture> next = nextFixture();
    if (!next || next->stage != result.fixture.stage || next->sides != result.fixture.sides)
        return false;
    std::array<int, 2> batted = {result.innings[0].side, result.innings[1].side};
    std::array<int, 2> sides = next->sides;
    std::sort(batted.begin(), batted.end());
    std::sort(sides.begin(), sides.end());
    if (batted != sides)
        return false;
    results_.push_back(result);
    return true;
}

std::optional<int> Tournament::champion() const {
    if (results_.size() < static_cast<std::size_t>(kTournamentMatches))
        return std::nullopt;
    return knockoutWinner(results_.back());
}

std::optional<Tournament> Tournament::restore(std::uint32_t seed, int userSide,
                                              const std::vector<MatchResult>& results) {
    if (userSide < kNoSide || userSide >= kTournamentSides)
        return std::nullopt;
    for (const FixtureOrder order : {FixtureOrder::Rounds, FixtureOrder::Pairs}) {
        Tournament tournament(seed, userSide, order);
        if (std::all_of(results.begin(), results.end(), [&tournament](const MatchResult& result) {
                return tournament.record(result);
            }))
            return tournament;
    }
    return std::nullopt;
}

} // namespace quorvel
