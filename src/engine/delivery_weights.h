#pragma once
// The weight tables of one delivery, as pure functions of the sliders, the phase of the innings
// and the players' career figures. Each table has six signed weights; a draw x taken modulo their
// total picks the first outcome whose running sum is above x, and the last outcome otherwise.

#include <array>
#include <cstdint>

#include "records/innings.h"

namespace quorvel {

// The captains' sliders as one delivery reads them, each 0 ("Defensive") to 4 ("Aggressive"):
// F fielding, B bowling, R running and S the striker's batting slider.
struct Aggression {
    int fielding = 2;
    int bowling = 2;
    int running = 2;
    int batting = 2;

    friend bool operator==(const Aggression&, const Aggression&) = default;
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

// The same table in two steps: the part the bowler's strike rate and the striker's average
// give (exact as a double) once a pair of players, then the table for the sliders.
double dismissalFigure(double bowlingStrikeRate, double battingAverage);
Weights dismissalWeights(const Aggression& sliders, int bowlingFlags, double figure);

// In order: 1, 2 and 3 runs, a four, a six and no run.
Weights runWeights(const Aggression& sliders, Phase phase, double economyRate,
                   double battingAverage);
// The same in two steps, as for dismissals: the figures' part, then the table.
double runsFigure(double economyRate, double battingAverage);
Weights runWeights(const Aggression& sliders, Phase phase, double figure);

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

// A weight table made ready for many draws: its running sums and total, and the total's
// reciprocal, so that "draw mod total" takes a multiplication instead of a division. Picks the
// same outcome as pickWeighted(weights, draw % total) for every draw.
class PreparedWeights {
public:
    PreparedWeights() = default;
    explicit PreparedWeights(const Weights& weights) { prepare(weights); }
    // Makes these the prepared weights of `weights`, in place.
    void prepare(const Weights& weights);

    int total() const { return total_; }
    // The index 0..5 of the outcome a draw picks; total() must be above 0.
    int pick(int draw) const {
        const int x = remainder(draw);
        if (ascending_) {
            // The running sums never fall, so the outcome is the number of them x has reached:
            // counted without a branch, as the draw is random and a branch on it would be
            // guessed wrong about every other time.
            int index = 0;
            for (const int sum : sums_)
                index += x >= sum ? 1 : 0;
            return index;
        }
        int index = 0;
        while (index < static_cast<int>(sums_.size()) && x >= sums_[index])
            ++index;
        return index;
    }
    // draw % total() with C++'s signed remainder; total() must be above 0.
    int remainder(int draw) const {
        if (draw < 0 || draw > kMaxExactDraw)
            return draw % total_;
        if (total_ > kMaxExactDraw)
            return draw;
        // Exact for every draw and total below 2^16: the low 32 bits of reciprocal * draw hold
        // the fraction of draw / total, and times total its top 32 bits are the remainder.
        const std::uint32_t fraction = reciprocal_ * static_cast<std::uint32_t>(draw);
        return static_cast<int>((std::uint64_t{fraction} * static_cast<std::uint32_t>(total_)) >>
                                32);
    }

    static constexpr int kMaxExactDraw = 0xFFFF;

private:
    std::array<int, 5> sums_{};
    int total_ = 0;
    std::uint32_t reciprocal_ = 0;
    bool ascending_ = true; // no running sum below the one before it
};

// A career figure with its fraction dropped (towards zero), exactly, however large; NaN counts
// as 0. It stays a double so that a figure beyond any integer type keeps its size and sign.
double truncFigure(double value);

// A table's last weight, the one career figures move, from its exact value and the sum of the
// other five. Only a value that would take the weight or the total beyond int is held at the
// nearest that fits; that is already beyond any draw, so the outcome picked stays the exact one.
int lastWeight(double exact, int others);

} // namespace quorvel
