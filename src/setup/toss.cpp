#include "setup/toss.h"

#include <ctime>

#include "engine/random.h"
#include "records/scores.h"

namespace quorvel {

const char* const kComputerBatsText = "Computer won the toss and decided to bat";
const char* const kComputerBowlsText = "Computer won the toss and decided to bowl";

int tossCoin(Random& random, std::uint32_t seed) {
    random.seed(seed);
    return random.draw() % 2;
}

int tossCoin() { return tossCoin(programRandom(), static_cast<std::uint32_t>(std::time(nullptr))); }

int userSide(const Scores& scores) { return scores.teams[0].isComputerControlled() ? 1 : 0; }

bool TossCall::judge(int result) {
    coinFace_ = result != 0 ? kTails : kHeads;
    return (result == 0 || result == 1) && coinFace_ == calledFace_;
}

bool TossCall::userWonToss(Random& random, std::uint32_t seed) {
    return judge(tossCoin(random, seed));
}

bool TossCall::userWonToss() { return judge(tossCoin()); }

TossDecision decideToss(int userSide, bool userWon, int coinFace, bool userBatsFirst) {
    const int user = userSide == 1 ? 1 : 0;
    const int computer = 1 - user;
    TossDecision decision;
    if (userWon) {
        decision.battingFirst = userBatsFirst ? user : computer;
        decision.tossWinner = user;
    } else if (coinFace == kTails) {
        decision.battingFirst = computer;
        decision.tossWinner = computer;
        decision.message = kComputerBatsText;
    } else {
        decision.battingFirst = user;
        decision.tossWinner = computer;
        decision.message = kComputerBowlsText;
    }
    return decision;
}

void applyToss(Scores& scores, const TossDecision& decision) {
    scores.battingFirst = decision.battingFirst;
    scores.tossWinner = decision.tossWinner;
}

} // namespace quorvel
