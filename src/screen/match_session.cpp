#include "screen/match_session.h"

#include "records/scores.h"

namespace quorvel {

bool MatchSession::begin() {
    if (choices_.sidesStandIn(screen_.scores())) {
        if (!choices_.mayReplaceMatch())
            return false;
        screen_.beginNewMatch(screen_.scores());
    } else {
        Scores chosen;
        if (!choices_.chooseSides(chosen) || !choices_.mayReplaceMatch())
            return false;
        screen_.beginNewMatch(chosen);
    }
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

bool playOverFor(MatchScreen& screen, MatchChoices& choices) {
    const Scores& scores = screen.scores();
    if (scores.fieldingSide(screen.figures().inningsIndex) == userSide(scores))
        choices.captainUserSide(screen);
    if (!screen.bowlOverEnabled())
        return false;
    screen.onBowlOver();
    return true;
}

PlayOnRun::PlayOnRun(MatchScreen& screen, MatchChoices& choices, PlayOnScope scope)
    : screen_(screen), choices_(choices), scope_(scope), startState_(screen.state()) {}

bool PlayOnRun::goesOn() const {
    if (stopped_ || stuck_ || !screen_.flow().inInnings())
        return false;
    switch (scope_) {
    case PlayOnScope::NextOver:
        return overs_ == 0;
    case PlayOnScope::EndOfInnings:
        return screen_.state() == startState_;
    case PlayOnScope::EndOfMatch:
        return true;
    }
    return false;
}

bool PlayOnRun::playOver() {
    if (!goesOn())
        return false;
    if (playOverFor(screen_, choices_))
        ++overs_;
    else
        stuck_ = true;
    return goesOn();
}

bool MatchSession::playToEnd() {
    while (screen_.flow().inInnings())
        if (!playOverFor(screen_, choices_))
            return false;
    return true;
}

} // namespace quorvel
