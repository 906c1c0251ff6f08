#include <gtest/gtest.h>

#include <climits>
#include <limits>

#include "engine/delivery_weights.h"
#include "engine/random.h"
#include "records/player.h"

namespace quorvel {
namespace {

TEST(DeliveryWeights, FirstWorkedExample) {
    // All sliders at 2, a pace bowler striking every 40 balls at 4.5 an over, a striker
    // averaging 30, middle overs.
    const Aggression middle;
    const Weights dismissals = dismissalWeights(middle, bowling::kFast, 40, 30);
    EXPECT_EQ(dismissals, (Weights{10, 20, 30, 45, 65, 5630}));
    EXPECT_EQ(weightTotal(dismissals), 5800);
    EXPECT_EQ(weightTotal(dismissals) - dismissals[5], 170);

    const Weights runs = runWeights(middle, Phase::MiddleOvers, 4.5, 30);
    EXPECT_EQ(runs, (Weights{75, 25, 10, 15, 3, 127}));
    EXPECT_EQ(weightTotal(runs), 255);
    EXPECT_EQ(extrasDivisor(bowling::kFast), 50);
}

TEST(DeliveryWeights, SecondWorkedExample) {
    // Last overs, F 4, B 4, R 3, S 4, an off-spinner (strike rate 28, economy 3.5), striker 20.
    const Aggression sliders{4, 4, 3, 4};
    EXPECT_EQ(extrasDivisor(bowling::kOffSpin), 200);
    const Weights dismissals = dismissalWeights(sliders, bowling::kOffSpin, 28, 20);
    EXPECT_EQ(dismissals, (Weights{35, 50, 35, 70, 125, 4020}));
    EXPECT_EQ(weightTotal(dismissals), 4335);
    const Weights runs = runWeights(sliders, Phase::LastOvers, 3.5, 20);
    EXPECT_EQ(runs, (Weights{105, 36, 17, 30, 9, 152}));
    EXPECT_EQ(weightTotal(runs), 349);
}

TEST(DeliveryWeights, ExtrasDivisorByStyle) {
    EXPECT_EQ(extrasDivisor(0), 50);
    EXPECT_EQ(extrasDivisor(bowling::kFastMedium), 50);
    EXPECT_EQ(extrasDivisor(bowling::kLegSpin), 200);
    EXPECT_EQ(extrasDivisor(bowling::kMedium), 60);
    // The medium test comes last and wins over spin.
    EXPECT_EQ(extrasDivisor(bowling::kMedium | bowling::kOffSpin), 60);
    EXPECT_EQ(extrasDivisor(bowling::kLeftArm | bowling::kFast), 50);
}

TEST(DeliveryWeights, PhasesOfTheInnings) {
    EXPECT_EQ(phaseOf(0), Phase::FirstOvers);
    EXPECT_EQ(phaseOf(14), Phase::FirstOvers);
    EXPECT_EQ(phaseOf(15), Phase::MiddleOvers);
    EXPECT_EQ(phaseOf(39), Phase::MiddleOvers);
    EXPECT_EQ(phaseOf(40), Phase::LastOvers);
    EXPECT_EQ(phaseOf(49), Phase::LastOvers);
}

TEST(DeliveryWeights, StrikeRateBandsAndAverageTerm) {
    const Aggression middle;
    EXPECT_EQ(dismissalWeights(middle, 0, 29.9, 15)[5], 3820);
    EXPECT_EQ(dismissalWeights(middle, 0, 30, 15)[5], 3830);
    EXPECT_EQ(dismissalWeights(middle, 0, 45, 15)[5], 3840);
    EXPECT_EQ(dismissalWeights(middle, 0, 60, 15)[5], 3850);
    // u = trunc(average - 15) keeps its sign: 8 * u * |u|.
    EXPECT_EQ(dismissalWeights(middle, 0, 60, 10.9)[5], 3850 - 8 * 4 * 4);
    EXPECT_EQ(dismissalWeights(middle, 0, 60, 25.9)[5], 3850 + 8 * 10 * 10);
    // No style: neither the pace nor the spin bonuses.
    EXPECT_EQ(dismissalWeights(middle, 0, 60, 15), (Weights{10, 20, 30, 40, 60, 3850}));
    // First overs: 20 more dot-ball weight and 2 less six weight; fours unchanged.
    EXPECT_EQ(runWeights(middle, Phase::FirstOvers, 4.5, 30), (Weights{75, 25, 10, 15, 1, 147}));
}

TEST(DeliveryWeights, RunningSumsPickTheOutcome) {
    const Weights weights{10, 20, 30, 45, 65, 5630};
    EXPECT_EQ(pickWeighted(weights, 0), 0);
    EXPECT_EQ(pickWeighted(weights, 9), 0);
    EXPECT_EQ(pickWeighted(weights, 10), 1);
    EXPECT_EQ(pickWeighted(weights, 29), 1);
    EXPECT_EQ(pickWeighted(weights, 30), 2);
    EXPECT_EQ(pickWeighted(weights, 60), 3);
    EXPECT_EQ(pickWeighted(weights, 105), 4);
    EXPECT_EQ(pickWeighted(weights, 169), 4);
    EXPECT_EQ(pickWeighted(weights, 170), 5);
    EXPECT_EQ(pickWeighted(weights, 32767), 5);
    EXPECT_EQ(kDismissalKindByWeight[0], Dismissal::Stumped);
    EXPECT_EQ(kDismissalKindByWeight[5], Dismissal::NotOut);
    EXPECT_EQ(kRunsByWeight[3], (RunsOutcome{RunKind::Boundary, 4}));
    EXPECT_EQ(kRunsByWeight[5], (RunsOutcome{RunKind::Taken, 0}));
}

TEST(DeliveryWeights, NegativeWeightsRuleOutTheirOutcomeAndNarrowTheNext) {
    // Fielding and batting at 0, running at 4, a pace bowler: stumped -10, run out 20.
    const Aggression sliders{0, 2, 4, 0};
    const Weights weights = dismissalWeights(sliders, bowling::kFast, 40, 30);
    EXPECT_EQ(weights[0], -10);
    EXPECT_EQ(weights[1], 20);
    for (int x = 0; x < 200; ++x)
        EXPECT_NE(pickWeighted(weights, x), 0) << x;
    // The run-out range is 0..9, ten wide instead of twenty.
    EXPECT_EQ(pickWeighted(weights, 0), 1);
    EXPECT_EQ(pickWeighted(weights, 9), 1);
    EXPECT_EQ(pickWeighted(weights, 10), 2);

    // Every slider at 0: stumped -10, run out -20.
    const Weights low = dismissalWeights(Aggression{0, 0, 0, 0}, bowling::kFast, 40, 30);
    EXPECT_EQ(low[0], -10);
    EXPECT_EQ(low[1], -20);
    // The running sums are -10, -30, 0, 15 and 20: the thirty of lbw only climb back to 0, so
    // stumped, run out and lbw are all impossible; 0..14 is bowled and 15..19 caught.
    EXPECT_EQ(low[2], 30);
    EXPECT_EQ(pickWeighted(low, 0), 3);
    EXPECT_EQ(pickWeighted(low, 14), 3);
    EXPECT_EQ(pickWeighted(low, 15), 4);
    EXPECT_EQ(pickWeighted(low, 20), 5);
}

TEST(DeliveryWeights, PreparedTablesPickWhatTheDivisionPicks) {
    // The remainder by multiplication, against %, for every draw and every total a draw can
    // reach (and totals past it), drawn values past the generator's range included.
    for (int total = 1; total <= 70000; total += total < 2000 ? 1 : 37) {
        const PreparedWeights one({0, 0, 0, 0, 0, total});
        for (int draw = 0; draw <= RandomSource::kDrawMax; draw += total < 2000 ? 7 : 1)
            ASSERT_EQ(one.remainder(draw), draw % total) << draw << " % " << total;
        for (const int draw : {-1, -32768, 65535, 65536, INT_MAX, INT_MIN})
            ASSERT_EQ(one.remainder(draw), draw % total) << draw << " % " << total;
    }
    // Tables as matches make them, negative weights and a total beyond int's reach included.
    const Weights tables[] = {
        dismissalWeights(Aggression{}, bowling::kFast, 40, 30),
        dismissalWeights(Aggression{0, 0, 0, 0}, bowling::kFast, 40, 30),
        dismissalWeights(Aggression{0, 2, 4, 0}, bowling::kOffSpin, 20, 1e300),
        runWeights(Aggression{4, 4, 4, 4}, Phase::LastOvers, 9.5, 80),
        runWeights(Aggression{}, Phase::FirstOvers, 3.1, 12.5),
        runWeights(Aggression{0, 0, 0, 0}, Phase::FirstOvers, 3.1, 12.5), // a six's weight below 0
        {1, 0, 0, 0, 0, 0},
        {50, -20, 30, -5, 10, 100}, // running sums that fall and rise again
    };
    for (const Weights& weights : tables) {
        const PreparedWeights prepared(weights);
        ASSERT_EQ(prepared.total(), weightTotal(weights));
        for (int draw = 0; draw <= RandomSource::kDrawMax; ++draw)
            ASSERT_EQ(prepared.pick(draw), pickWeighted(weights, draw % weightTotal(weights)))
                << draw;
    }
}

TEST(DeliveryWeights, AnyFigureFollowsTheFormulaWhileTheWeightsFitAnInt) {
    const Aggression middle;
    // Economy -400: trunc((-400 - 4.0) * 30) is -12120, taken exactly.
    EXPECT_EQ(runWeights(middle, Phase::MiddleOvers, -400, 30)[5], 172 + 12120 - 30);
    EXPECT_EQ(runWeights(middle, Phase::MiddleOvers, 400, 30)[5], 172 - 11880 - 30);
    EXPECT_EQ(dismissalWeights(middle, 0, 60, 16015.5)[5], 3850 + 8 * 16000 * 16000);
    EXPECT_EQ(dismissalWeights(middle, 0, 60, -985)[5], 3850 - 8 * 1000 * 1000);
    // Huge figures of opposite sign cancel as whole numbers do.
    const double big = 0x1p40;
    EXPECT_EQ(runWeights(middle, Phase::MiddleOvers, 4 + big, 15 - 15 * big)[5], 172);

    // Beyond int the weight is held where the total just fits, with its sign, which picks what
    // the exact weight would: any draw, or (a total below 0) no draw at all.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(weightTotal(dismissalWeights(middle, 0, 40, 1e300)), INT_MAX);
    EXPECT_EQ(dismissalWeights(middle, 0, 40, -inf)[5], INT_MIN);
    EXPECT_EQ(weightTotal(runWeights(middle, Phase::LastOvers, -1e300, 30)), INT_MAX);
    EXPECT_EQ(runWeights(middle, Phase::LastOvers, 1e300, 1e300)[5], INT_MIN);
    // NaN counts as 0, alone or as the sum of two opposite infinities.
    EXPECT_EQ(dismissalWeights(middle, 0, 40, nan)[5], 3830);
    EXPECT_EQ(runWeights(middle, Phase::MiddleOvers, nan, nan)[5], 172);
    EXPECT_EQ(runWeights(middle, Phase::MiddleOvers, inf, -inf)[5], 0);
    EXPECT_EQ(truncFigure(-12.99), -12);

    // Either side of where the plain truncation stops and the bounds are checked.
    EXPECT_EQ(lastWeight(0x1p30 - 1.5, 7), (1 << 30) - 2);
    EXPECT_EQ(lastWeight(-0x1p30 + 0.5, -7), -(1 << 30) + 1);
    EXPECT_EQ(lastWeight(0x1p31, 7), INT_MAX - 7);
    EXPECT_EQ(lastWeight(100, INT_MAX), 0);
    EXPECT_EQ(lastWeight(-100, INT_MIN + 50), -50);
}

} // namespace
} // namespace quorvel
