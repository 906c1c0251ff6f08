#pragma once
// The program's source of chance: a 32-bit linear congruential generator whose state becomes
// state * 214013 + 2531011 at each draw, the draw being bits 16..30 of the new state (0..32767).
// Its state starts at 1. The program seeds its one instance in one place only: at the toss.

#include <cstdint>

namespace quorvel {

// Where the engine takes its draws from. Production uses Random; tests may feed a scripted
// sequence through their own source.
class RandomSource {
public:
    static constexpr int kDrawMax = 32767;

    virtual ~RandomSource() = default;

    // A fresh number 0..kDrawMax.
    virtual int draw() = 0;

    // "draw mod n": a fresh draw taken modulo n with signed integer arithmetic (so a negative n
    // still gives 0..|n|-1). n must not be 0; a draw is taken anyway and 0 returned.
    int drawMod(int n) { return modOf(draw(), n); }
    static int modOf(int x, int n) { return n == 0 ? 0 : x % n; }
};

class Random final : public RandomSource {
public:
    static constexpr std::uint32_t kInitialState = 1;

    void seed(std::uint32_t state) { state_ = state; }
    std::uint32_t state() const { return state_; }

    int draw() override {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }

private:
    std::uint32_t state_ = kInitialState;
};

// The one generator of the run. Only the toss seeds it (from the calendar time).
Random& programRandom();

} // namespace quorvel
