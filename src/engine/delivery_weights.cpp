#include "engine/delivery_weights.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

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

int truncFigure(double value) {
    if (std::isnan(value))
        return 0;
    return static_cast<int>(std::clamp(value, -10000.0, 10000.0));
}

Weights dismissalWeights(const Aggression& sliders, int bowlingFlags, double bowlingStrikeRate,
                         double battingAverage) {
    const int f = sliders.fielding;
    const int b = sliders.bowling;
    const int r = sliders.running;
    const int s = sliders.batting;
    const bool pace = (bowlingFlags & bowling::kPace) != 0;
    const bool spin = (bowlingFlags & bowling::kSpin) != 0;

    int base = 5850;
    if (bowlingStrikeRate < 30)
        base = 5820;
    else if (bowlingStrikeRate < 45)
        base = 5830;
    else if (bowlingStrikeRate < 60)
        base = 5840;
    const int u = truncFigure(battingAverage - 15);

    return {
        5 * f + 5 * (s - 2) + (spin ? 5 : 0),
        10 * (f - 2) + 10 * (r - 2) + 20,
        spin ? 35 : 30,
        5 * (b + 6) + 10 * (s - 2) + (pace ? 5 : 0),
        10 * (f - 2) + 10 * (b - 2) + 10 * (s - 2) + 60 + (pace ? 5 : 0) + (spin ? 5 : 0),
        base - 2000 + 8 * u * std::abs(u),
    };
}

Weights runWeights(const Aggression& sliders, Phase phase, double economyRate,
                   double battingAverage) {
    const int f = sliders.fielding;
    const int b = sliders.bowling;
    const int r = sliders.running;
    const int s = sliders.batting;
    const bool first = phase == Phase::FirstOvers;
    const bool last = phase == Phase::LastOvers;

    return {
        10 * (f - 2) + 10 * (r - 2) + 75,
        5 * (r - 2) + 3 * (f - 2) + 25,
        3 * (r - 2) + 2 * (f - 2) + 10,
        f + b + 4 * s + 3 + (last ? 3 : 0),
        2 * s - 1 - (first ? 2 : 0) + (last ? 2 : 0),
        172 - truncFigure((economyRate - 4.0) * 30) - truncFigure(2 * battingAverage - 30) +
            (first ? 20 : 0) - (last ? 25 : 0),
    };
}

int weightTotal(const Weights& weights) {
    int total = 0;
    for (const int weight : weights)
        total += weight;
    return total;
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
