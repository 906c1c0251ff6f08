#include <gtest/gtest.h>

#include "engine/random.h"
#include "records/scores.h"
#include "setup/toss.h"

namespace quorvel {
namespace {

// The face a seed gives: the first draw after seeding, mod 2.
int faceOf(std::uint32_t seed) {
    Random random;
    random.seed(seed);
    return random.draw() % 2;
}

std::uint32_t seedGiving(int face) {
    std::uint32_t seed = 1;
    while (faceOf(seed) != face)
        ++seed;
    return seed;
}

TEST(TossCoin, SeedsTheGeneratorAndDrawsOnce) {
    Random random;
    random.draw();
    random.draw();
    const int face = tossCoin(random, 12345);
    EXPECT_EQ(face, faceOf(12345));
    Random same;
    same.seed(12345);
    same.draw();
    EXPECT_EQ(random.state(), same.state()); // one draw after the seed, whatever came before
    // Two tosses with one seed (the same second) show the same face.
    EXPECT_EQ(tossCoin(random, 99), tossCoin(random, 99));
}

TEST(TossCall, PressingEitherFaceFlipsTheCall) {
    TossCall call;
    EXPECT_TRUE(call.callsHeads());
    EXPECT_FALSE(call.callsTails());
    call.pressHeads(); // the pressed face moves the call to the other one
    EXPECT_FALSE(call.callsHeads());
    EXPECT_TRUE(call.callsTails());
    call.pressHeads();
    EXPECT_TRUE(call.callsHeads());
    call.pressTails();
    EXPECT_TRUE(call.callsTails());
}

TEST(TossCall, WinsWhenTheFaceIsTheOneCalled) {
    Random random;
    TossCall heads;
    EXPECT_TRUE(heads.userWonToss(random, seedGiving(kHeads)));
    EXPECT_EQ(heads.coinFace(), kHeads);
    EXPECT_FALSE(heads.userWonToss(random, seedGiving(kTails)));
    EXPECT_EQ(heads.coinFace(), kTails);

    TossCall tails;
    tails.pressTails();
    EXPECT_TRUE(tails.userWonToss(random, seedGiving(kTails)));
    EXPECT_FALSE(tails.userWonToss(random, seedGiving(kHeads)));
    EXPECT_EQ(tails.coinFace(), kHeads);
}

TEST(TossDecision, UserWinsAndChooses) {
    // Both dialogs left as they open, coin heads: the user bats.
    TossDecision decision = decideToss(0, true, kHeads, true);
    EXPECT_EQ(decision.battingFirst, 0);
    EXPECT_EQ(decision.tossWinner, 0);
    EXPECT_EQ(decision.message, "");

    decision = decideToss(1, true, kTails, false);
    EXPECT_EQ(decision.battingFirst, 0);
    EXPECT_EQ(decision.tossWinner, 1);
}

TEST(TossDecision, ComputerDecidesByTheFace) {
    // Left side computer-captained (user side 1), user called tails, coin heads: it bowls.
    TossDecision decision = decideToss(1, false, kHeads, true);
    EXPECT_EQ(decision.message, "Computer won the toss and decided to bowl");
    EXPECT_EQ(decision.battingFirst, 1);
    EXPECT_EQ(decision.tossWinner, 0);

    // Right side computer-captained (user side 0), user called heads, coin tails: it bats.
    decision = decideToss(0, false, kTails, true);
    EXPECT_EQ(decision.message, "Computer won the toss and decided to bat");
    EXPECT_EQ(decision.battingFirst, 1);
    EXPECT_EQ(decision.tossWinner, 1);

    Scores scores;
    scores.teams[0].setComputerControlled(1);
    EXPECT_EQ(userSide(scores), 1);
    scores.teams[0].setComputerControlled(0);
    EXPECT_EQ(userSide(scores), 0);
    applyToss(scores, decision);
    EXPECT_EQ(scores.battingFirst, 1);
    EXPECT_EQ(scores.tossWinner, 1);
}

} // namespace
} // namespace quorvel
