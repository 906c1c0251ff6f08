#include "reports/match_stats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "records/player_database.h"

namespace quorvel {

namespace {

constexpr std::size_t kPerformancesListed = 5;

std::string playerLabel(const PlayerDatabase& database, std::int32_t id) {
    const Player* player = database.findById(id);
    if (player == nullptr)
        return "?";
    return std::string(1, player->initial()) + " " + player->surname.str();
}

std::string line(const char* label, const RunningStat& stat) {
    char text[128];
    std::snprintf(text, sizeof text, "%-38s %10.2f %10.2f\n", label, stat.mean(), stat.spread());
    return text;
}

std::string share(const char* label, std::int64_t part, std::int64_t whole) {
    char text[128];
    std::snprintf(text, sizeof text, "%-38s %9.1f%% %10lld\n", label,
                  whole > 0 ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0,
                  static_cast<long long>(part));
    return text;
}

} // namespace

void RunningStat::add(double value) {
    ++count_;
    sum_ += value;
    sumOfSquares_ += value * value;
}

double RunningStat::mean() const { return count_ > 0 ? sum_ / static_cast<double>(count_) : 0; }

double RunningStat::spread() const {
    if (count_ < 2)
        return 0;
    const double m = mean();
    return std::sqrt(std::max(0.0, sumOfSquares_ / static_cast<double>(count_) - m * m));
}

int ballsOfOvers(double oversFigure) {
    const double whole = std::floor(oversFigure);
    const int part = static_cast<int>(std::lround((oversFigure - whole) * 10));
    return static_cast<int>(whole) * kBallsPerOver + part;
}

InningsSummary summarizeInnings(const InningsCard& card) {
    InningsSummary summary;
    summary.runs = card.total;
    summary.wickets = card.wicketsDown;
    summary.balls = ballsOfOvers(card.oversDone);
    summary.byes = card.extraByes;
    summary.legByes = card.extraLegByes;
    summary.wides = card.extraWides;
    summary.noBalls = card.extraNoBalls;
    for (const auto& entry : card.batting) {
        summary.fours += entry.fours;
        summary.sixes += entry.sixes;
    }
    for (const auto& entry : card.bowling)
        summary.maidens += entry.maidenOvers;
    return summary;
}

void MatchStatistics::keepBest(std::vector<Performance>& list, Performance performance,
                               bool fewerIsBetter) {
    // Better means more of the primary figure, then (for bowling) fewer runs conceded; ties
    // keep the one seen first, so the list depends only on the order of the matches.
    const auto better = [fewerIsBetter](const Performance& a, const Performance& b) {
        if (a.primary != b.primary)
            return a.primary > b.primary;
        return fewerIsBetter ? a.secondary < b.secondary : false;
    };
    const auto at =
        std::upper_bound(list.begin(), list.end(), performance,
                         [&](const Performance& a, const Performance& b) { return better(a, b); });
    if (static_cast<std::size_t>(at - list.begin()) >= kPerformancesListed)
        return;
    list.insert(at, std::move(performance));
    if (list.size() > kPerformancesListed)
        list.pop_back();
}

void MatchStatistics::addMatch(const std::array<InningsCard, 2>& cards,
                               const std::string& firstBatting, const std::string& secondBatting,
                               const PlayerDatabase& database) {
    ++matches_;
    const std::string* battingName[2] = {&firstBatting, &secondBatting};
    const std::string* bowlingName[2] = {&secondBatting, &firstBatting};
    for (int k = 0; k < 2; ++k) {
        const InningsSummary s = summarizeInnings(cards[k]);
        (k == 0 ? firstTotal_ : secondTotal_).add(s.runs);
        inningsTotal_.add(s.runs);
        totalRuns_ += s.runs;
        totalBalls_ += s.balls;
        if (s.balls > 0)
            runsPerOver_.add(s.runs * 6.0 / s.balls);
        wickets_.add(s.wickets);
        allOut_ += s.wickets >= 10;
        if (s.balls >= kOversPerInnings * kBallsPerOver) {
            ++fullOvers_;
            fullOversTotal_.add(s.runs);
        }
        byes_.add(s.byes);
        legByes_.add(s.legByes);
        wides_.add(s.wides);
        noBalls_.add(s.noBalls);
        extras_.add(s.byes + s.legByes + s.wides + s.noBalls);
        fours_.add(s.fours);
        sixes_.add(s.sixes);
        maidens_.add(s.maidens);

        for (const auto& entry : cards[k].batting) {
            if (entry.playerId == kNoPlayer)
                continue;
            keepBest(topScores_,
                     {entry.runs, entry.ballsFaced,
                      playerLabel(database, entry.playerId) + " " + std::to_string(entry.runs) +
                          (entry.howOut == Dismissal::NotOut ? "*" : "") + " (" + *battingName[k] +
                          ")"},
                     false);
        }
        for (const auto& entry : cards[k].bowling) {
            if (entry.playerId == kNoPlayer)
                continue;
            keepBest(bestBowling_,
                     {entry.wicketsTaken, entry.runsGiven,
                      playerLabel(database, entry.playerId) + " " +
                          std::to_string(entry.wicketsTaken) + "/" +
                          std::to_string(entry.runsGiven) + " (" + *bowlingName[k] + ")"},
                     true);
        }
    }
    matchTotal_.add(cards[0].total + cards[1].total);
    const int target = cards[0].total + 1;
    if (cards[1].total == target - 1)
        ++ties_;
    else if (cards[1].total < target)
        ++firstSideWins_;
}

std::string MatchStatistics::report() const {
    std::string out;
    char text[128];
    std::snprintf(text, sizeof text, "%-38s %10s %10s\n", "per innings", "mean", "spread");
    out += text;
    out += line("first-innings total", firstTotal_);
    out += line("second-innings total", secondTotal_);
    out += line("innings total", inningsTotal_);
    out += line("total of an innings of 50 overs", fullOversTotal_);
    out += line("match aggregate", matchTotal_);
    out += line("runs per over", runsPerOver_);
    out += line("wickets", wickets_);
    out += line("extras", extras_);
    out += line("  byes", byes_);
    out += line("  leg byes", legByes_);
    out += line("  wides", wides_);
    out += line("  no-balls", noBalls_);
    out += line("fours", fours_);
    out += line("sixes", sixes_);
    out += line("maidens", maidens_);
    std::snprintf(text, sizeof text, "%-38s %10.2f\n", "runs per over, all innings pooled",
                  totalBalls_ > 0
                      ? 6.0 * static_cast<double>(totalRuns_) / static_cast<double>(totalBalls_)
                      : 0.0);
    out += text;
    const std::int64_t innings = 2 * matches_;
    out += share("innings all out", allOut_, innings);
    out += share("innings of the full 50 overs", fullOvers_, innings);
    out += share("matches won by the side batting first", firstSideWins_, matches_);
    out += share("matches tied", ties_, matches_);
    out += "top scores:\n";
    for (const auto& performance : topScores_)
        out += "  " + performance.text + "\n";
    out += "best bowling:\n";
    for (const auto& performance : bestBowling_)
        out += "  " + performance.text + "\n";
    return out;
}

} // namespace quorvel
