#include "reports/match_stats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "records/match_outcome.h"
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

namespace {

// Where a performance goes in a list kept best first: better means more of the primary figure,
// then (for bowling) fewer runs conceded; it goes after the equal ones, so that of equal ones the
// one seen first stays ahead and the list depends only on the order of the matches. Searched
// from the end, where most performances stop.
std::size_t placeIn(const std::vector<MatchStatistics::Performance>& list, int primary,
                    int secondary, bool fewerIsBetter) {
    const auto beats = [&](const MatchStatistics::Performance& entry) {
        if (primary != entry.primary)
            return primary > entry.primary;
        return fewerIsBetter && secondary < entry.secondary;
    };
    std::size_t at = list.size();
    while (at > 0 && beats(list[at - 1]))
        --at;
    return at;
}

} // namespace

bool MatchStatistics::wouldList(const std::vector<Performance>& list, int primary, int secondary,
                                bool fewerIsBetter) {
    return placeIn(list, primary, secondary, fewerIsBetter) < kPerformancesListed;
}

void MatchStatistics::keepBest(std::vector<Performance>& list, Performance performance,
                               bool fewerIsBetter) {
    const std::size_t at = placeIn(list, performance.primary, performance.secondary, fewerIsBetter);
    if (at >= kPerformancesListed)
        return;
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), std::move(performance));
    if (list.size() > kPerformancesListed)
        list.pop_back();
}

void MatchStatistics::addMatch(const std::array<InningsCard, 2>& cards,
                               const std::string& firstBatting, const std::string& secondBatting,
                               const PlayerDatabase& database) {
    addMatch({summarizeInnings(cards[0]), summarizeInnings(cards[1])});
    const std::string* battingName[2] = {&firstBatting, &secondBatting};
    const std::string* bowlingName[2] = {&secondBatting, &firstBatting};
    // A performance's text is made only when it gets into its list.
    for (int k = 0; k < 2; ++k) {
        for (const auto& entry : cards[k].batting) {
            if (entry.playerId == kNoPlayer ||
                !wouldList(topScores_, entry.runs, entry.ballsFaced, false))
                continue;
            addTopScore({entry.runs, entry.ballsFaced,
                         playerLabel(database, entry.playerId) + " " + std::to_string(entry.runs) +
                             (entry.howOut == Dismissal::NotOut ? "*" : "") + " (" +
                             *battingName[k] + ")"});
        }
        for (const auto& entry : cards[k].bowling) {
            if (entry.playerId == kNoPlayer ||
                !wouldList(bestBowling_, entry.wicketsTaken, entry.runsGiven, true))
                continue;
            addBestBowling({entry.wicketsTaken, entry.runsGiven,
                            playerLabel(database, entry.playerId) + " " +
                                std::to_string(entry.wicketsTaken) + "/" +
                                std::to_string(entry.runsGiven) + " (" + *bowlingName[k] + ")"});
        }
    }
}

void MatchStatistics::addMatch(const std::array<InningsSummary, 2>& innings) {
    ++matches_;
    for (int k = 0; k < 2; ++k) {
        const InningsSummary& s = innings[k];
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
    }
    matchTotal_.add(innings[0].runs + innings[1].runs);
    const Winner winner = matchOutcome(innings[0].runs, innings[1].runs, innings[1].wickets).winner;
    if (winner == Winner::Tie)
        ++ties_;
    else if (winner == Winner::FirstBatting)
        ++firstSideWins_;
}

std::vector<StatFigure> MatchStatistics::figures() const {
    using Kind = StatFigure::Kind;
    std::vector<StatFigure> list;
    const auto add = [&list](const char* label, const RunningStat& stat) {
        list.push_back({Kind::MeanSpread, label, stat.mean(), stat.spread(), 0});
    };
    add("first-innings total", firstTotal_);
    add("second-innings total", secondTotal_);
    add("innings total", inningsTotal_);
    add("total of an innings of 50 overs", fullOversTotal_);
    add("match aggregate", matchTotal_);
    add("runs per over", runsPerOver_);
    add("wickets", wickets_);
    add("extras", extras_);
    add("  byes", byes_);
    add("  leg byes", legByes_);
    add("  wides", wides_);
    add("  no-balls", noBalls_);
    add("fours", fours_);
    add("sixes", sixes_);
    add("maidens", maidens_);
    list.push_back({Kind::Rate, "runs per over, all innings pooled",
                    totalBalls_ > 0
                        ? 6.0 * static_cast<double>(totalRuns_) / static_cast<double>(totalBalls_)
                        : 0.0,
                    0, 0});
    const auto addShare = [&list](const char* label, std::int64_t part, std::int64_t whole) {
        list.push_back(
            {Kind::Share, label,
             whole > 0 ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0, 0,
             part});
    };
    const std::int64_t innings = 2 * matches_;
    addShare("innings all out", allOut_, innings);
    addShare("innings of the full 50 overs", fullOvers_, innings);
    addShare("matches won by the side batting first", firstSideWins_, matches_);
    addShare("matches tied", ties_, matches_);
    return list;
}

std::string MatchStatistics::report() const {
    std::string out;
    char text[128];
    std::snprintf(text, sizeof text, "%-38s %10s %10s\n", "per innings", "mean", "spread");
    out += text;
    for (const StatFigure& figure : figures()) {
        switch (figure.kind) {
        case StatFigure::Kind::MeanSpread:
            std::snprintf(text, sizeof text, "%-38s %10.2f %10.2f\n", figure.label, figure.value,
                          figure.spread);
            break;
        case StatFigure::Kind::Rate:
            std::snprintf(text, sizeof text, "%-38s %10.2f\n", figure.label, figure.value);
            break;
        case StatFigure::Kind::Share:
            std::snprintf(text, sizeof text, "%-38s %9.1f%% %10lld\n", figure.label, figure.value,
                          static_cast<long long>(figure.count));
            break;
        }
        out += text;
    }
    out += "top scores:\n";
    for (const auto& performance : topScores_)
        out += "  " + performance.text + "\n";
    out += "best bowling:\n";
    for (const auto& performance : bestBowling_)
        out += "  " + performance.text + "\n";
    return out;
}

} // namespace quorvel
