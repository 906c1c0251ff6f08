#pragma once
// The weight tables of one delivery, as pure functions of the sliders, the phase of the innings
// and the players' career figures. Each table has six signed weights; a draw x taken modulo their
// total picks the first outcome whose running sum is above x, and the last outcome otherwise.

#include <array>

#include "records/innings.h"

namespace quorvel {

// The captains' sliders as one delivery reads them, each 0 ("Defensive") to 4 ("Aggressive"):
// F fielding, B bowling, R running and S the striker's batting slider.
struct Aggression {
    int fielding = 2;
    int bowling = 2;
    int running = 2;
    int batting = 2;
};

// First overs are 0..14, last overs 40..49, middle overs the rest.
enum class Phase { FirstOvers, MiddleOvers, LastOvers };
Phase phaseOf(int overNumber);

using Weights = std::array<int, 6>;

// The n of "draw mod n" that decides a wide (0) or a no-ball (1): 50, 200 for a spinner and 60
// for a medium-pacer (which wins over spin).
int extrasDivisor(int bowlingFlags);

// In order: stumped, run out, lbw, bowled, caught, not out.
Weights dismissalWeights(const Aggression& sliders, int bowlingFlags, double bowlingStrikeRate,
                         double battingAverage);
constexpr std::array<Dismissal, 6> kDismissalKindByWeight = {Dismissal::Stumped, Dismissal::RunOut,
                                                             Dismissal::Lbw,     Dismissal::Bowled,
                                                             Dismissal::Caught,  Dismissal::NotOut};

// In order: 1, 2 and 3 runs, a four, a six and no run.
Weights runWeights(const Aggression& sliders, Phase phase, double economyRate,
                   double battingAverage);

struct RunsOutcome {
    RunKind runKind = RunKind::Taken;
    int runs = 0;

    friend bool operator==(const RunsOutcome&, const RunsOutcome&) = default;
};
constexpr std::array<RunsOutcome, 6> kRunsByWeight = {{
    {RunKind::Taken, 1},
    {RunKind::Taken, 2},
    {RunKind::Taken, 3},
    {RunKind::Boundary, 4},
    {RunKind::Boundary, 6},
    {RunKind::Taken, 0},
}};

int weightTotal(const Weights& weights);
// The index 0..5 of the outcome that x picks, comparing signed running sums in table order.
int pickWeighted(const Weights& weights, int x);

// A career figure with its fraction dropped (towards zero), exactly, however large; NaN counts
// as 0. It stays a double so that a figure beyond any integer type keeps its size and sign.
double truncFigure(double value);

// A table's last weight, the one career figures move, from its exact value and the sum of the
// other five. Only a value that would take the weight or the total beyond int is held at the
// nearest that fits; that is already beyond any draw, so the outcome picked stays the exact one.
int lastWeight(double exact, int others);

} // namespace quorvel
