#include "engine/delivery_weights.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "records/player.h"

namespace quorvel {

Phase phaseOf(int overNumber) {
    if (overNumber < 15)
        return Phase::FirstOvers;
    if (overNumber > 39)
        return Phase::LastOvers;
    return Phase::MiddleOvers;
}

int extrasDivisor(int bowlingFlags) {
    int divisor = 50;
    if ((bowlingFlags & bowling::kSpin) != 0)
        divisor = 200;
    if ((bowlingFlags & bowling::kMedium) != 0)
        divisor = 60;
    return divisor;
}

double truncFigure(double value) { return std::isnan(value) ? 0 : std::trunc(value); }

int lastWeight(double exact, int others) {
    // Every real player's figure and every slider sum lie far inside int, where the weight is
    // the figure with its fraction dropped and no bound is near.
    constexpr double kPlainFigure = 1 << 30;
    constexpr int kPlainOthers = 1 << 30;
    if (exact > -kPlainFigure && exact < kPlainFigure && others > -kPlainOthers &&
        others < kPlainOthers)
        return static_cast<int>(exact);
    // The sum of two infinite figures of opposite sign has no value: it counts as 0 too.
    if (std::isnan(exact))
        return 0;
    const double lowest = double{std::numeric_limits<int>::min()} - std::min(others, 0);
    const double highest = double{std::numeric_limits<int>::max()} - std::max(others, 0);
    return static_cast<int>(std::clamp(exact, lowest, highest));
}

double dismissalFigure(double bowlingStrikeRate, double battingAverage) {
    int base = 5850;
    if (bowlingStrikeRate < 30)
        base = 5820;
    else if (bowlingStrikeRate < 45)
        base = 5830;
    else if (bowlingStrikeRate < 60)
        base = 5840;
    // u is a whole number, so 8 * u * |u| is exact in a double until it is far beyond int.
    const double u = truncFigure(battingAverage - 15);
    return base - 2000 + 8 * u * std::abs(u);
}

namespace {

// The table of five weights and the last one from its exact value. The five are summed as
// values, not read back from the table: a table just written and read back whole stalls on
// some processors, and every delivery that meets a new bowler or new sliders makes two.
Weights withLastWeight(const std::array<int, 5>& five, double exact) {
    const int others = five[0] + five[1] + five[2] + five[3] + five[4];
    return {five[0], five[1], five[2], five[3], five[4], lastWeight(exact, others)};
}

} // namespace

Weights dismissalWeights(const Aggression& sliders, int bowlingFlags, double bowlingStrikeRate,
                         double battingAverage) {
    return dismissalWeights(sliders, bowlingFlags,
                            dismissalFigure(bowlingStrikeRate, battingAverage));
}

Weights dismissalWeights(const Aggression& sliders, int bowlingFlags, double figure) {
    const int f = sliders.fielding;
    const int b = sliders.bowling;
    const int r = sliders.running;
    const int s = sliders.batting;
    const bool pace = (bowlingFlags & bowling::kPace) != 0;
    const bool spin = (bowlingFlags & bowling::kSpin) != 0;

    return withLastWeight(
        {
            5 * f + 5 * (s - 2) + (spin ? 5 : 0),
            10 * (f - 2) + 10 * (r - 2) + 20,
            spin ? 35 : 30,
            5 * (b + 6) + 10 * (s - 2) + (pace ? 5 : 0),
            10 * (f - 2) + 10 * (b - 2) + 10 * (s - 2) + 60 + (pace ? 5 : 0) + (spin ? 5 : 0),
        },
        figure);
}

double runsFigure(double economyRate, double battingAverage) {
    // Sums of whole numbers in a double are exact while they stay within 2^53, far beyond int.
    return truncFigure((economyRate - 4.0) * 30) + truncFigure(2 * battingAverage - 30);
}

Weights runWeights(const Aggression& sliders, Phase phase, double economyRate,
                   double battingAverage) {
    return runWeights(sliders, phase, runsFigure(economyRate, battingAverage));
}

Weights runWeights(const Aggression& sliders, Phase phase, double figure) {
    const int f = sliders.fielding;
    const int b = sliders.bowling;
    const int r = sliders.running;
    const int s = sliders.batting;
    const bool first = phase == Phase::FirstOvers;
    const bool last = phase == Phase::LastOvers;

    return withLastWeight(
        {
            10 * (f - 2) + 10 * (r - 2) + 75,
            5 * (r - 2) + 3 * (f - 2) + 25,
            3 * (r - 2) + 2 * (f - 2) + 10,
            f + b + 4 * s + 3 + (last ? 3 : 0),
            2 * s - 1 - (first ? 2 : 0) + (last ? 2 : 0),
        },
        172 + (first ? 20 : 0) - (last ? 25 : 0) - figure);
}

int weightTotal(const Weights& weights) {
    int total = 0;
    for (const int weight : weights)
        total += weight;
    return total;
}

void PreparedWeights::prepare(const Weights& weights) {
    // The total is the last running sum: one pass, in table order, as weightTotal adds them.
    int runningSum = 0;
    ascending_ = true;
    for (std::size_t i = 0; i < sums_.size(); ++i) {
        runningSum += weights[i];
        sums_[i] = runningSum;
        ascending_ = ascending_ && (i == 0 || weights[i] >= 0);
    }
    total_ = runningSum + weights[sums_.size()];
    // 2^32 / total rounded up (wrapping to 0 for a total of 1, whose remainder is always 0).
    reciprocal_ = 0;
    if (total_ > 0 && total_ <= kMaxExactDraw)
        reciprocal_ =
            std::numeric_limits<std::uint32_t>::max() / static_cast<std::uint32_t>(total_) + 1;
}

int pickWeighted(const Weights& weights, int x) {
    int runningSum = 0;
    for (int i = 0; i + 1 < static_cast<int>(weights.size()); ++i) {
        runningSum += weights[i];
        if (x < runningSum)
            return i;
    }
    return static_cast<int>(weights.size()) - 1;
}

} // namespace quorvel
