#include <gtest/gtest.h>

#include "engine/random.h"

namespace quorvel {
namespace {

TEST(Random, StartsAtStateOneWithTheKnownSequence) {
    Random random;
    EXPECT_EQ(random.state(), 1u);
    // state * 214013 + 2531011, bits 16..30 of each new state.
    EXPECT_EQ(random.draw(), 41);
    EXPECT_EQ(random.draw(), 18467);
    EXPECT_EQ(random.draw(), 6334);
    EXPECT_EQ(random.draw(), 26500);
    EXPECT_EQ(random.draw(), 19169);
}

TEST(Random, SeedingRestartsTheSequence) {
    Random a;
    a.seed(1733630000u);
    Random b;
    b.seed(1733630000u);
    for (int i = 0; i < 1000; ++i) {
        const int x = a.draw();
        ASSERT_EQ(x, b.draw());
        ASSERT_GE(x, 0);
        ASSERT_LE(x, RandomSource::kDrawMax);
    }
    a.seed(1);
    EXPECT_EQ(a.draw(), 41);
}

TEST(Random, TheStateWrapsAtThirtyTwoBits) {
    Random random;
    random.seed(0xFFFFFFFFu);
    // 0xFFFFFFFF * 214013 + 2531011 modulo 2^32 = 2316998.
    EXPECT_EQ(random.draw(), static_cast<int>((2316998u >> 16) & 0x7FFF));
    EXPECT_EQ(random.state(), 2316998u);
}

class FixedDraw : public RandomSource {
public:
    explicit FixedDraw(int value) : value_(value) {}
    int draw() override {
        ++taken;
        return value_;
    }
    int taken = 0;

private:
    int value_;
};

TEST(Random, DrawModUsesSignedArithmetic) {
    FixedDraw seven(7);
    EXPECT_EQ(seven.drawMod(5), 2);
    EXPECT_EQ(seven.drawMod(-5), 2);
    EXPECT_EQ(seven.drawMod(40000), 7);
    EXPECT_EQ(seven.drawMod(0), 0);
    EXPECT_EQ(seven.taken, 4);
}

TEST(Random, TheProgramHasOneGenerator) { EXPECT_EQ(&programRandom(), &programRandom()); }

} // namespace
} // namespace quorvel
