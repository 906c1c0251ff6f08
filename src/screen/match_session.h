#pragma once
// One match from its set-up to its result: the choice of sides, the toss, the choice to bat or
// bowl, the first innings set up, then over after over. Every choice goes through MatchChoices,
// which the game answers with its dialogs and the headless simulator with the computer's rules,
// so the sequence itself is written once.

#include "screen/match_screen.h"
#include "setup/toss.h"

namespace quorvel {

struct TossOutcome {
    bool userWon = false;
    int coinFace = kHeads;
};

class MatchChoices : public MatchScreenUser {
public:
    // Fills both sides of `scores` (nothing bowled yet); false when the choice was abandoned.
    virtual bool chooseSides(Scores& scores) = 0;
    // Whether the sides to be chosen already stand in `record`, the match in hand, as they
    // would be filled in: the match is then begun on them where they are, without a copy.
    virtual bool sidesStandIn(const Scores& record) const {
        (void)record;
        return false;
    }
    // The sides are chosen: whether the match in hand may now be replaced by the new one (the
    // game first asks whether to save a modified match). False abandons the new match.
    virtual bool mayReplaceMatch() { return true; }
    // The chosen sides are now the match in hand.
    virtual void sidesChosen() {}
    // Tosses the coin for the user's call.
    virtual TossOutcome toss() = 0;
    // The user won the toss: true to bat first, false to bowl.
    virtual bool userBatsFirst() = 0;
    // The computer won the toss: tells the user what it decided.
    virtual void announceDecision(const std::string& message) { (void)message; }
    // The toss is recorded: the first innings is set up.
    virtual void startFirstInnings(MatchScreen& screen) { screen.startMatch(); }
    // Before an over that the user's side bowls: choose its bowler and sliders on the screen
    // (a player does this with the ">" buttons; the simulator with the computer's plan).
    virtual void captainUserSide(MatchScreen& screen) { (void)screen; }
};

// One over of the match in hand with the user's side captained by `choices`: its bowler and
// sliders are chosen first when it fields, then the over is bowled as "Bowl Over" bowls it.
// False when no bowler could be chosen, so the over could not be bowled.
bool playOverFor(MatchScreen& screen, MatchChoices& choices);

// How far the computer plays on for the user's side.
enum class PlayOnScope { NextOver, EndOfInnings, EndOfMatch };

// A run of overs played for the user's side, one over a call, so that whoever drives it can
// show each over and stop the run between two overs.
class PlayOnRun {
public:
    PlayOnRun(MatchScreen& screen, MatchChoices& choices, PlayOnScope scope);

    // Plays the next over unless the run has ended. Returns whether another over follows.
    bool playOver();
    // Whether another over is due: the match still in an innings, the scope not reached, the
    // run not stopped and no over refused.
    bool goesOn() const;
    // Whether the innings now in play is one the run plays: the one it began in, or any when
    // it plays to the end of the match. The openers of an innings that follows are the user's.
    bool playsInnings() const {
        return scope_ == PlayOnScope::EndOfMatch || screen_.state() == startState_;
    }
    // No over after the one in hand.
    void stop() { stopped_ = true; }
    bool stuck() const { return stuck_; }
    int oversPlayed() const { return overs_; }

private:
    MatchScreen& screen_;
    MatchChoices& choices_;
    PlayOnScope scope_;
    MatchState startState_;
    int overs_ = 0;
    bool stopped_ = false;
    bool stuck_ = false;
};

class MatchSession {
public:
    MatchSession(MatchScreen& screen, MatchChoices& choices) : screen_(screen), choices_(choices) {}

    // A new match up to its first ball. Returns false, with the match in hand untouched, when
    // the choice of sides was abandoned or the match in hand may not be replaced.
    bool begin();
    // Bowls over after over until the match is over. Returns false when an over could not be
    // bowled because no bowler was chosen.
    bool playToEnd();

private:
    MatchScreen& screen_;
    MatchChoices& choices_;
};

} // namespace quorvel
