#pragma once
// The toss: the user calls the coin for his side, the program tosses it (seeding the one random
// generator of the run), and whoever wins decides who bats first.

#include <cstdint>
#include <string>

namespace quorvel {

class Random;
class Scores;

enum CoinFace : int { kHeads = 0, kTails = 1 };

// Seeds the generator with `seed` and returns the face of one draw: draw mod 2, 0 heads, 1 tails.
int tossCoin(Random& random, std::uint32_t seed);
// The game's toss: seeds the program's generator with the calendar time in whole seconds.
int tossCoin();

// The side (index into teams) that the user captains: 1 when the left side is the computer's.
int userSide(const Scores& scores);

// The user's call and the coin it met. The call starts as heads; a press on either face flips
// both, so exactly one face is called at any time.
class TossCall {
public:
    void pressHeads() { flip(); }
    void pressTails() { flip(); }
    bool callsHeads() const { return calledFace_ == kHeads; }
    bool callsTails() const { return calledFace_ == kTails; }

    // Tosses the coin (seeding the generator with `seed`), keeps the face and tells whether it
    // is the face called.
    bool userWonToss(Random& random, std::uint32_t seed);
    // The same, seeded from the calendar time, with the program's generator.
    bool userWonToss();
    int coinFace() const { return coinFace_; }

private:
    void flip() { calledFace_ = calledFace_ == kHeads ? kTails : kHeads; }
    bool judge(int result);

    int calledFace_ = kHeads; // kHeads or kTails
    int coinFace_ = kHeads;
};

extern const char* const kComputerBatsText;  // "Computer won the toss and decided to bat"
extern const char* const kComputerBowlsText; // "Computer won the toss and decided to bowl"

// Who bats first and who won the toss, and what the "Bat or Bowl?" box says (empty when the
// user chooses).
struct TossDecision {
    int battingFirst = 0;
    int tossWinner = 0;
    std::string message;
};

// The outcome of the toss. A user who won bats first when `userBatsFirst`, else bowls. When
// the computer won, the face decides: tails, it bats; heads, it bowls.
TossDecision decideToss(int userSide, bool userWon, int coinFace, bool userBatsFirst);

// Stores battingFirst and tossWinner in the match record.
void applyToss(Scores& scores, const TossDecision& decision);

} // namespace quorvel
