#pragma once
// Aggregate figures over many finished matches: totals, rates, wickets, extras, boundaries,
// results, and the best individual performances seen. Used to judge how true to life the
// simulated matches are.

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "reports/scoresheet.h"

namespace quorvel {

class PlayerDatabase;

// Mean and spread (population standard deviation) of a series of values.
class RunningStat {
public:
    void add(double value);
    std::int64_t count() const { return count_; }
    double mean() const;
    double spread() const;

private:
    std::int64_t count_ = 0;
    double sum_ = 0;
    double sumOfSquares_ = 0;
};

// One innings of a finished match, reduced to what the statistics need.
struct InningsSummary {
    int runs = 0;
    int wickets = 0;
    int balls = 0; // legal deliveries
    int byes = 0, legByes = 0, wides = 0, noBalls = 0;
    int fours = 0, sixes = 0;
    int maidens = 0;
};

// The legal deliveries of an overs.balls figure (12.3 is 75).
int ballsOfOvers(double oversFigure);
InningsSummary summarizeInnings(const InningsCard& card);

// One aggregate figure of the report: a mean and its spread, a pooled rate, or a share given as
// a percentage and the count it is of.
struct StatFigure {
    enum class Kind { MeanSpread, Rate, Share };
    Kind kind = Kind::MeanSpread;
    const char* label = "";
    double value = 0;       // the mean, the rate or the percentage
    double spread = 0;      // for a mean, its spread
    std::int64_t count = 0; // for a share, the count it is of
};

class MatchStatistics {
public:
    // Adds one finished match; firstBatting and secondBatting are the sides' names.
    void addMatch(const std::array<InningsCard, 2>& cards, const std::string& firstBatting,
                  const std::string& secondBatting, const PlayerDatabase& database);
    // Adds the figures of one finished match's two innings without its performances, which
    // come through addTopScore and addBestBowling: for matches played elsewhere, taken in the
    // order they were played, so that every sum is made in the same order as here.
    void addMatch(const std::array<InningsSummary, 2>& innings);
    std::int64_t matches() const { return matches_; }

    // The report: one line a figure with its mean and spread, then the results and the best
    // performances. Lines end with LF.
    std::string report() const;
    // The figures of the report in its order, without the best performances.
    std::vector<StatFigure> figures() const;

    // A performance worth listing: "R Khurana 152 (India)" or "Z Khattak 6/21 (Pakistan)".
    struct Performance {
        int primary = 0;   // runs, or wickets
        int secondary = 0; // balls faced, or runs conceded
        std::string text;
    };

    const std::vector<Performance>& topScores() const { return topScores_; }
    const std::vector<Performance>& bestBowling() const { return bestBowling_; }
    // Offer one performance to the lists; of equal ones the first offered stays ahead.
    void addTopScore(Performance performance) {
        keepBest(topScores_, std::move(performance), false);
    }
    void addBestBowling(Performance performance) {
        keepBest(bestBowling_, std::move(performance), true);
    }

private:
    static bool wouldList(const std::vector<Performance>& list, int primary, int secondary,
                          bool fewerIsBetter);
    void keepBest(std::vector<Performance>& list, Performance performance, bool fewerIsBetter);

    std::int64_t matches_ = 0;
    std::int64_t firstSideWins_ = 0;
    std::int64_t ties_ = 0;
    std::int64_t allOut_ = 0;
    std::int64_t fullOvers_ = 0;
    std::int64_t totalRuns_ = 0;
    std::int64_t totalBalls_ = 0;
    RunningStat firstTotal_, secondTotal_, inningsTotal_, fullOversTotal_, matchTotal_;
    RunningStat runsPerOver_, wickets_, byes_, legByes_, wides_, noBalls_, extras_;
    RunningStat fours_, sixes_, maidens_;
    std::vector<Performance> topScores_, bestBowling_;
};

} // namespace quorvel
