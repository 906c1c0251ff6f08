#include "screen/match_session.h"

#include "records/scores.h"

namespace quorvel {

bool MatchSession::begin() {
    Scores chosen;
    if (!choices_.chooseSides(chosen) || !choices_.mayReplaceMatch())
        return false;
    screen_.beginNewMatch(chosen);
    choices_.sidesChosen();

    const TossOutcome toss = choices_.toss();
    const int user = userSide(screen_.scores());
    TossDecision decision;
    if (toss.userWon) {
        decision = decideToss(user, true, toss.coinFace, choices_.userBatsFirst());
    } else {
        decision = decideToss(user, false, toss.coinFace, false);
        choices_.announceDecision(decision.message);
    }
    screen_.applyToss(decision);
    choices_.startFirstInnings(screen_);
    return true;
}

bool MatchSession::playToEnd() {
    while (screen_.flow().inInnings()) {
        const Scores& scores = screen_.scores();
        if (scores.fieldingSide(screen_.figures().inningsIndex) == userSide(scores))
            choices_.captainUserSide(screen_);
        if (!screen_.bowlOverEnabled())
            return false;
        screen_.onBowlOver();
    }
    return true;
}

} // namespace quorvel
